#include <gtest/gtest.h>

#include "app/SimulatorScript.h"

using Kind = SimulatorAction::Kind;

TEST(SimulatorScript, ReadsEveryCommandWithCommentsAndHexNumbers) {
  const auto script = ParseSimulatorScript(
      "# press button 3, turn the wheel, tilt left\n"
      "ready\n"
      "buttons 0 0x8   # down\n"
      "wait 120\n"
      "buttons 0 0\n"
      "wheel 1 -1\n"
      "tilt 0 -2\n"
      "level 1 3\n"
      "unplug 0\n"
      "\n"
      "replug 0\n");
  ASSERT_EQ(script.error, "");
  ASSERT_EQ(script.actions.size(), 9u);
  EXPECT_EQ(script.actions[0].kind, Kind::kAwaitReady);
  EXPECT_EQ(script.actions[1].kind, Kind::kButtons);
  EXPECT_EQ(script.actions[1].value, 8);
  EXPECT_EQ(script.actions[2].value, 120);
  EXPECT_EQ(script.actions[4].mouse, 1);
  EXPECT_EQ(script.actions[4].value, -1);
  EXPECT_EQ(script.actions[5].kind, Kind::kTilt);
  EXPECT_EQ(script.actions[8].kind, Kind::kReplug);
}

TEST(SimulatorScript, RefusesTheWholeScriptAtTheFirstBadLine) {
  EXPECT_EQ(ParseSimulatorScript("wait 5\npress 0 1\n").error, "line 2: unknown command \"press\"");
  EXPECT_EQ(ParseSimulatorScript("buttons 0\n").error, "line 1: buttons takes 2 number(s)");
  EXPECT_EQ(ParseSimulatorScript("buttons 2 1\n").error, "line 1: bad mouse \"2\"");
  EXPECT_EQ(ParseSimulatorScript("wheel 0 300\n").error, "line 1: bad value \"300\"");
  EXPECT_EQ(ParseSimulatorScript("wait -1\n").error, "line 1: bad wait \"-1\"");
  EXPECT_EQ(ParseSimulatorScript("buttons 0 7x\n").error, "line 1: bad value \"7x\"");
  EXPECT_TRUE(ParseSimulatorScript("wait 5\nlevel 0 x\n").actions.empty());
}

TEST(SimulatorScript, ActionsSurviveTheTripThroughMessageParameters) {
  SimulatorAction tilt{Kind::kTilt, 1, -3};
  SimulatorAction back;
  ASSERT_TRUE(UnpackSimulatorAction(PackSimulatorAction(tilt), PackSimulatorValue(tilt), back));
  EXPECT_EQ(back.kind, Kind::kTilt);
  EXPECT_EQ(back.mouse, 1);
  EXPECT_EQ(back.value, -3);
  EXPECT_FALSE(UnpackSimulatorAction(99, 0, back));
  EXPECT_FALSE(UnpackSimulatorAction(PackSimulatorAction(tilt), std::int64_t{5} << 24, back));
}
