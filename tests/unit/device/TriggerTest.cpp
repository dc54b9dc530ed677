// Which players a button change starts and stops, by the macro's mode: one
// time, loop and firekey, the wheel buttons, the 3/4 exchange, and nothing
// while a device operation runs.
#include <gtest/gtest.h>

#include "ConnectionRig.h"

namespace {

using Lines = std::vector<std::string>;

// Each macro presses and releases its own key, so the log tells them apart.
const std::vector<std::uint8_t> kOnce = {0x04, 0x83, 0x04, 0x88, 0x0A, 0x84, 0x04};
const std::vector<std::uint8_t> kLoop = {0x05, 0x83, 0x05, 0x88, 0x0A, 0x84, 0x05, 0x88, 0x0A};
const std::vector<std::uint8_t> kFire = {0x06, 0x83, 0x06, 0x88, 0x0A, 0x84, 0x06, 0x88, 0x0A};
const std::vector<std::uint8_t> kFire2 = {0x06, 0x83, 0x07, 0x88, 0x0A, 0x84, 0x07, 0x88, 0x0A};

struct TriggerTest : ::testing::Test {
  ConnectionRig rig;
  void SetUp() override { rig.Arrive(); }
  device::TimerSlot& Slot(int i) {
    return (*rig.link.FindDevice(rig.Path())->timerSlots)[static_cast<std::size_t>(i)];
  }
  int State(int i) { return Slot(i).runState.load(); }
  // Lets every player run until it waits `waits` more times, then holds it there.
  void HoldAfter(int waits) { rig.gate.freeWaits = waits; }
  void WaitBlocked(int players) {
    ASSERT_TRUE(Eventually([&] { return rig.gate.blocked.load() == players; }));
  }
  void Click(std::uint16_t bits) {
    rig.Buttons(bits);
    rig.Buttons(0);
  }
};

TEST_F(TriggerTest, SecondPressOfAPlayingMacrosOwnButtonStopsItAndStartsNothing) {
  rig.Assign(0, kOnce);
  rig.Assign(1, kLoop);
  rig.Forget();
  HoldAfter(1);
  Click(0x01);
  WaitBlocked(1);
  Click(0x01);
  rig.WaitIdle();
  EXPECT_EQ(rig.LiveInput(), (Lines{"down 04", "up 04", "buttons 00 00"}));
  EXPECT_EQ(State(0), device::TimerSlot::kIdle);

  HoldAfter(3);
  Click(0x02);
  WaitBlocked(1);
  Click(0x02);
  rig.WaitIdle();
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 05"), 1);
  EXPECT_EQ(State(1), device::TimerSlot::kIdle);
}

TEST_F(TriggerTest, LoopRepeatsUntilAOneTimePressStopsItAndOnlyASecondPressStartsThat) {
  rig.Assign(1, kLoop);
  rig.Assign(0, kOnce);
  rig.Forget();
  HoldAfter(12);  // two rounds, then hold with the key down
  Click(0x02);
  WaitBlocked(1);
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 05"), 3);
  Click(0x01);
  rig.WaitIdle();
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 04"), 0);
  EXPECT_TRUE(rig.Mouse().keysDown.empty());

  rig.gate.freeWaits = -1;
  Click(0x01);
  rig.WaitIdle();
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 04"), 1);
}

TEST_F(TriggerTest, FirekeyRepeatsWhileHeldAndStopsOnRelease) {
  rig.Assign(2, kFire);
  rig.Forget();
  HoldAfter(6);
  rig.Buttons(0x04);
  WaitBlocked(1);
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 06"), 2);
  rig.Buttons(0x00);
  rig.WaitIdle();
  EXPECT_TRUE(rig.Mouse().keysDown.empty());
}

TEST_F(TriggerTest, TwoFirekeyButtonsHeldTogetherPlayBoth) {
  rig.Assign(2, kFire);
  rig.Assign(5, kFire2);
  rig.Forget();
  HoldAfter(2);
  rig.Buttons(0x04);
  WaitBlocked(1);
  rig.gate.freeWaits = 2;
  rig.Buttons(0x24);
  WaitBlocked(2);
  EXPECT_EQ(State(2), device::TimerSlot::kPlay);
  EXPECT_EQ(State(5), device::TimerSlot::kPlay);
  rig.Buttons(0x20);
  ASSERT_TRUE(Eventually([&] { return State(2) == device::TimerSlot::kIdle; }));
  EXPECT_EQ(State(5), device::TimerSlot::kPlay);
  rig.Buttons(0x00);
  rig.WaitIdle();
  EXPECT_GE(CountOf(rig.LiveInput(), "down 06"), 1);
  EXPECT_GE(CountOf(rig.LiveInput(), "down 07"), 1);
}

TEST_F(TriggerTest, OneTimePressWhileAFirekeyIsHeldStartsAndTheFirekeyGoesOn) {
  rig.Assign(2, kFire);
  rig.Assign(0, kOnce);
  rig.Forget();
  HoldAfter(2);
  rig.Buttons(0x04);
  WaitBlocked(1);
  rig.gate.freeWaits = -1;
  rig.Buttons(0x05);
  ASSERT_TRUE(Eventually([&] { return State(0) == device::TimerSlot::kIdle && CountOf(rig.LiveInput(), "down 04") == 1; }));
  EXPECT_EQ(State(2), device::TimerSlot::kPlay);
  rig.Buttons(0x00);
  rig.WaitIdle();
}

TEST_F(TriggerTest, FirekeyPressStopsNothingElse) {
  rig.Assign(1, kLoop);
  rig.Assign(2, kFire);
  rig.Forget();
  HoldAfter(2);
  Click(0x02);
  WaitBlocked(1);
  rig.Buttons(0x04);
  EXPECT_EQ(State(1), device::TimerSlot::kPlay);
  EXPECT_EQ(State(2), device::TimerSlot::kPlay);
  rig.connection.Players().StopAll();
  rig.WaitIdle();
}

TEST_F(TriggerTest, WheelPlaysItsMacroOnceWhateverItsMode) {
  rig.Assign(8, kLoop);
  rig.Assign(9, kFire);
  rig.Forget();
  rig.Report(rig.Mouse().InputReport(0, 1));
  rig.WaitIdle();
  rig.Report(rig.Mouse().InputReport(0, -1));
  rig.WaitIdle();
  EXPECT_EQ(rig.LiveInput(), (Lines{"down 05", "up 05", "buttons 00 00", "down 06", "up 06", "buttons 00 00"}));
}

TEST_F(TriggerTest, WheelStopsAPlayingLoop) {
  rig.Assign(1, kLoop);
  rig.Assign(8, kOnce);
  rig.Forget();
  HoldAfter(2);
  Click(0x02);
  WaitBlocked(1);
  rig.Report(rig.Mouse().InputReport(0, 1));
  rig.WaitIdle();
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 04"), 0);
}

TEST_F(TriggerTest, AButtonWithoutAMacroOrWithARemovedOneDoesNothing) {
  rig.Assign(1, kLoop);
  const std::uint32_t removed = rig.Assign(6, kOnce);
  rig.library.RemoveEntry(rig.library.FindMacroById(removed));
  rig.library.devices[0x5A3C0001].rows[0][6] = removed;
  rig.Forget();
  HoldAfter(2);
  Click(0x02);
  WaitBlocked(1);
  Click(0x01);   // nothing assigned
  Click(0x40);   // a removed macro
  EXPECT_EQ(State(1), device::TimerSlot::kPlay);
  rig.connection.Players().StopAll();
  rig.WaitIdle();
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 04"), 0);
}

TEST_F(TriggerTest, OneTimeMacroPlaysOnceToTheEndAndButtonsThreeAndFourComeInTheMousesOrder) {
  rig.Assign(3, kOnce);
  rig.Assign(4, kLoop);
  rig.Forget();
  Click(0x10);  // bit 4: the user's button 3
  rig.WaitIdle();
  EXPECT_EQ(rig.LiveInput(), (Lines{"down 04", "up 04", "buttons 00 00"}));
}

TEST_F(TriggerTest, APressWhileAnOperationRunsStartsAndStopsNothing) {
  rig.Assign(0, kOnce);
  rig.Assign(1, kLoop);
  rig.Forget();
  HoldAfter(2);
  Click(0x02);
  WaitBlocked(1);
  rig.connection.OperationBusy = true;
  Click(0x02);
  Click(0x01);
  EXPECT_EQ(State(1), device::TimerSlot::kPlay);
  EXPECT_EQ(State(0), device::TimerSlot::kIdle);
  rig.connection.OperationBusy = false;
  Click(0x02);
  rig.WaitIdle();
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 04"), 0);
}

}  // namespace
