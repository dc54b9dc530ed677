#include <gtest/gtest.h>

#include "app/InstanceDecision.h"
#include "app/PrivateMessages.h"
#include "app/ProgramDir.h"
#include "app/StartupSwitches.h"

TEST(StartupSwitches, AreFoundInAnyCaseButNotAtTheFirstCharacter) {
  const auto mixed = ParseStartupSwitches(u"\"C:\\Program Files\\Vantor3.exe\" /HIDE /ShowTip");
  EXPECT_TRUE(mixed.hide);
  EXPECT_TRUE(mixed.showTip);
  EXPECT_FALSE(mixed.close);

  const auto close = ParseStartupSwitches(u"Vantor3.exe /Close");
  EXPECT_TRUE(close.close);
  EXPECT_FALSE(close.hide);

  // The first character of the line is never the start of a switch.
  EXPECT_FALSE(ParseStartupSwitches(u"/hide").hide);
  EXPECT_TRUE(ParseStartupSwitches(u" /hide").hide);
  EXPECT_TRUE(ParseStartupSwitches(u"/hide.exe /hide").hide) << "the same text later on is the switch";
}

TEST(StartupSwitches, SelectOneOrTwoSimulatedMice) {
  EXPECT_FALSE(ParseStartupSwitches(u"x.exe").simulate);
  const auto one = ParseStartupSwitches(u"x.exe /simulate");
  EXPECT_TRUE(one.simulate);
  EXPECT_EQ(one.simulatedMice, 1);
  const auto two = ParseStartupSwitches(u"x.exe /SIMULATE2 /hide");
  EXPECT_TRUE(two.simulate);
  EXPECT_EQ(two.simulatedMice, 2);
  EXPECT_TRUE(two.hide);
}

TEST(InstanceDecision, RunsOnlyTheFirstCopyWithoutClose) {
  EXPECT_EQ(DecideAtInstanceMutex(false, false), InstanceAction::RunMainWindow);
  EXPECT_EQ(DecideAtInstanceMutex(true, false), InstanceAction::BroadcastAndEnd);
  EXPECT_EQ(DecideAtInstanceMutex(true, true), InstanceAction::BroadcastAndEnd);
  EXPECT_EQ(DecideAtInstanceMutex(false, true), InstanceAction::BroadcastThenRelease);
  EXPECT_EQ(BroadcastMessageFor(true), kMsgEndProgram);
  EXPECT_EQ(BroadcastMessageFor(false), kMsgShowWindow);
}

TEST(ProgramDir, KeepsTheFolderWithOneTrailingBackslash) {
  EXPECT_EQ(ProgramDirFromModulePath(u"C:\\Tools\\Vantor3.exe"), u"C:\\Tools\\");
  EXPECT_EQ(ProgramDirFromModulePath(u"Vantor3.exe"), u"Vantor3.exe\\");
}
