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
  // Gives each button its macro, then starts with an empty log.
  void Give(std::initializer_list<std::pair<int, std::vector<std::uint8_t>>> macros) {
    for (const auto& [button, bytes] : macros) rig.Assign(button, bytes);
    rig.Forget();
  }
  // Lets every player run until it waits `waits` more times, then holds it there.
  void HoldAfter(int waits) { rig.gate.freeWaits = waits; }
  // Clicks `bits` and holds the player it starts after `waits` waits.
  void ClickAndHold(std::uint16_t bits, int waits) {
    HoldAfter(waits);
    Click(bits);
    WaitBlocked(1);
  }
  void WaitBlocked(int players) {
    ASSERT_TRUE(Eventually([&] { return rig.gate.blocked.load() == players; }));
  }
  void Click(std::uint16_t bits) {
    rig.Buttons(bits);
    rig.Buttons(0);
  }
};

TEST_F(TriggerTest, SecondPressOfAPlayingMacrosOwnButtonStopsItAndStartsNothing) {
  Give({{0, kOnce}, {1, kLoop}});
  ClickAndHold(0x01, 1);
  Click(0x01);
  rig.WaitIdle();
  EXPECT_EQ(rig.LiveInput(), (Lines{"down 04", "up 04", "buttons 00 00"}));
  EXPECT_EQ(State(0), device::TimerSlot::kIdle);

  ClickAndHold(0x02, 3);
  Click(0x02);
  rig.WaitIdle();
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 05"), 1);
  EXPECT_EQ(State(1), device::TimerSlot::kIdle);
}

TEST_F(TriggerTest, LoopRepeatsUntilAOneTimePressStopsItAndOnlyASecondPressStartsThat) {
  Give({{1, kLoop}, {0, kOnce}});
  ClickAndHold(0x02, 12);  // two rounds, then hold with the key down
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
  Give({{2, kFire}});
  HoldAfter(6);
  rig.Buttons(0x04);
  WaitBlocked(1);
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 06"), 2);
  rig.Buttons(0x00);
  rig.WaitIdle();
  EXPECT_TRUE(rig.Mouse().keysDown.empty());
}

TEST_F(TriggerTest, TwoFirekeyButtonsHeldTogetherPlayBoth) {
  Give({{2, kFire}, {5, kFire2}});
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
  Give({{2, kFire}, {0, kOnce}});
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
  Give({{1, kLoop}, {2, kFire}});
  ClickAndHold(0x02, 2);
  rig.Buttons(0x04);
  EXPECT_EQ(State(1), device::TimerSlot::kPlay);
  EXPECT_EQ(State(2), device::TimerSlot::kPlay);
  rig.connection.Players().StopAll();
  rig.WaitIdle();
}

TEST_F(TriggerTest, WheelPlaysItsMacroOnceWhateverItsMode) {
  Give({{8, kLoop}, {9, kFire}});
  rig.Report(rig.Mouse().InputReport(0, 1));
  rig.WaitIdle();
  rig.Report(rig.Mouse().InputReport(0, -1));
  rig.WaitIdle();
  EXPECT_EQ(rig.LiveInput(), (Lines{"down 05", "up 05", "buttons 00 00", "down 06", "up 06", "buttons 00 00"}));
}

TEST_F(TriggerTest, WheelStopsAPlayingLoop) {
  Give({{1, kLoop}, {8, kOnce}});
  ClickAndHold(0x02, 2);
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
  ClickAndHold(0x02, 2);
  Click(0x01);   // nothing assigned
  Click(0x40);   // a removed macro
  EXPECT_EQ(State(1), device::TimerSlot::kPlay);
  rig.connection.Players().StopAll();
  rig.WaitIdle();
  EXPECT_EQ(CountOf(rig.LiveInput(), "down 04"), 0);
}

TEST_F(TriggerTest, OneTimeMacroPlaysOnceToTheEndAndButtonsThreeAndFourComeInTheMousesOrder) {
  Give({{3, kOnce}, {4, kLoop}});
  Click(0x10);  // bit 4: the user's button 3
  rig.WaitIdle();
  EXPECT_EQ(rig.LiveInput(), (Lines{"down 04", "up 04", "buttons 00 00"}));
}

TEST_F(TriggerTest, APressWhileAnOperationRunsStartsAndStopsNothing) {
  Give({{0, kOnce}, {1, kLoop}});
  ClickAndHold(0x02, 2);
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
