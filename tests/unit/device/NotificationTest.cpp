// The mouse's notification reports: level changes, wheel and tilt for the
// tilt scroller, the folding of the wheel into the button bits, the profile
// button and the hand-off to the trigger.
#include <gtest/gtest.h>

#include "ConnectionRig.h"
#include "macro/LibraryFile.h"

namespace {

using device::FoldButtons;

struct NotificationTest : ::testing::Test {
  ConnectionRig rig{2};
  void SetUp() override {
    rig.Arrive();
    rig.Forget();
  }
};

TEST_F(NotificationTest, OnlyTheCurrentMousesLevelChangeIsRecordedWithinTheTableAndResynchronised) {
  rig.Report(rig.Mouse(1).LevelChangeReport(1));  // another mouse's change is not ours
  EXPECT_EQ(rig.connection.CurrentLevelIndex.load(), 0);
  EXPECT_TRUE(rig.view.Calls().empty());
  rig.Report(rig.Mouse(0).LevelChangeReport(2));
  EXPECT_EQ(rig.connection.CurrentLevelIndex.load(), 2);
  EXPECT_EQ(rig.view.Calls(), (std::vector<std::string>{"level 2"}));
  // A level past the last is taken as the last.
  auto report = rig.Mouse(0).LevelChangeReport(0);
  report[2] = 200;
  rig.Report(report);
  EXPECT_EQ(rig.connection.CurrentLevelIndex.load(), 3);
}

TEST_F(NotificationTest, LevelChangeRereadsTheLevelsOnlyBeforeTheMouseIsReady) {
  rig.Mouse(0).levels[1].step = {12, 12};
  rig.Report(rig.Mouse(0).LevelChangeReport(1));
  EXPECT_EQ(rig.connection.LevelSteps.Get()[1].x, 10);
  rig.connection.DeviceReady = false;
  rig.Report(rig.Mouse(0).LevelChangeReport(1));
  EXPECT_TRUE(rig.connection.DeviceReady.load());
  EXPECT_EQ(rig.connection.LevelSteps.Get()[1].x, 12);
}

TEST_F(NotificationTest, WheelAndTiltFeedTheAccumulatorsAndWakeTheScroller) {
  rig.Report(rig.Mouse(0).InputReport(0, 1, -1));
  rig.Report(rig.Mouse(1).InputReport(0, 1, -1));
  EXPECT_EQ(rig.tilt.TakeTilt(), -2);
  EXPECT_EQ(rig.tilt.Wheel(), 2);
  EXPECT_EQ(rig.pulses.load(), 2);
}

TEST_F(NotificationTest, AReportOfNoKnownMouseDoesNothing) {
  auto report = rig.Mouse(0).InputReport(0x01, 1, 1);
  report[7] = 19;
  rig.Report(report);
  rig.notifications.OnMouseNotification(report.data(), 7);
  EXPECT_EQ(rig.pulses.load(), 0);
  EXPECT_EQ(rig.tilt.TakeTilt(), 0);
}

TEST(FoldButtons, EveryWheelReportIsAPressOfButtonEightOrNine) {
  auto up = FoldButtons(0, 0x01, 0x00, 0x01);
  EXPECT_EQ(up.buttons, 0x101u);
  EXPECT_EQ(up.changed, 0x101u);
  // Again, with the bit still set from the last report: pressed again.
  up = FoldButtons(up.buttons, 0x01, 0x00, 0x01);
  EXPECT_EQ(up.changed, 0x100u);
  // No movement: the wheel bits are not seen as released.
  const auto still = FoldButtons(up.buttons, 0x01, 0x00, 0x00);
  EXPECT_EQ(still.buttons, 0x01u);
  EXPECT_EQ(still.changed, 0u);
  const auto down = FoldButtons(0, 0x00, 0x80, 0xFF);
  EXPECT_EQ(down.buttons, 0x8200u);
  EXPECT_EQ(down.changed, 0x8200u);
  EXPECT_EQ(FoldButtons(0, 0, 0, 2).buttons, 0u);
}

TEST_F(NotificationTest, ButtonStateFollowsEveryReportEvenWhileBusy) {
  rig.connection.OperationBusy = true;
  rig.Buttons(0x05);
  EXPECT_EQ(rig.link.FindDevice(rig.Path(0))->buttonState, 0x05u);
  EXPECT_EQ(rig.link.FindDevice(rig.Path(1))->buttonState, 0u);
  rig.connection.OperationBusy = false;
}

TEST_F(NotificationTest, ProfileButtonStoresTheNextProfileAndSendsItsMasksSevenTimesRound) {
  const std::uint32_t id = rig.library.AddEntry(u"m", false, 0, 0, MacroOf({0x04, 0x83, 0x04})).id;
  rig.library.devices[0x5A3C0001].rows[1][3] = id;
  std::vector<int> seen;
  for (int i = 0; i < 7; ++i) {
    rig.Buttons(0x8000);
    rig.Buttons(0x0000);
    seen.push_back(rig.profiles.CurrentSoftwareProfile());
    if (i == 0) {
      EXPECT_EQ(rig.Mouse(0).maskA, 0xEF);
      EXPECT_EQ(rig.Mouse(0).maskB, 0xFF);
      EXPECT_EQ(rig.Mouse(0).parameters[1], 8) << "the second profile's colour is green";
      EXPECT_EQ(rig.Mouse(0).parameters[0], 0);
      MacroLibrary saved;
      LibraryView view;
      ASSERT_EQ(LoadLibrary(saved, view, rig.file, 0).result, LibraryLoad::kLoaded);
      EXPECT_EQ(saved.devices[0x5A3C0001].currentProfile, 1u);
    }
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 0}));
  EXPECT_EQ(CountOf(rig.Requests(0), "str 108"), 7);
  EXPECT_EQ(rig.Mouse(0).maskA, 0xFF);
  EXPECT_EQ(CountOf(rig.view.Calls(), "settings"), 7);
}

TEST_F(NotificationTest, ProfileButtonDuringArrivalChangesTheProfileButSendsNoMasks) {
  rig.connection.ArrivalBusy = true;
  rig.Buttons(0x8000);
  rig.connection.ArrivalBusy = false;
  EXPECT_EQ(rig.profiles.CurrentSoftwareProfile(), 1);
  EXPECT_EQ(CountOf(rig.Requests(0), "str 108"), 0);
}

TEST_F(NotificationTest, AChangeOfBitTenOrElevenVoidsTheReportAfterTheAccumulators) {
  rig.Assign(0, {0x04, 0x83, 0x04, 0x84, 0x04});
  rig.Forget();
  rig.Report(rig.Mouse(0).InputReport(0x8401, 0, 1));
  rig.WaitIdle();
  EXPECT_EQ(rig.tilt.TakeTilt(), 1);
  EXPECT_EQ(rig.profiles.CurrentSoftwareProfile(), 0);
  EXPECT_TRUE(rig.LiveInput().empty());
}

TEST_F(NotificationTest, OnlyTheCurrentMouseReachesTheTrigger) {
  rig.Assign(0, {0x04, 0x83, 0x04, 0x84, 0x04});
  rig.Forget();
  rig.Buttons(0x01, 1);
  rig.WaitIdle();
  EXPECT_TRUE(rig.port.Requests().empty());
  rig.Buttons(0x01, 0);
  rig.WaitIdle();
  EXPECT_EQ(rig.LiveInput(0), (std::vector<std::string>{"down 04", "up 04", "buttons 00 00"}));
}

}  // namespace
