// Macro players: the step table as the mouse receives it, the timing of the
// waits, wheel steps on the host, and what a player releases when it ends.
#include <gtest/gtest.h>

#include "ConnectionRig.h"

namespace {

using Lines = std::vector<std::string>;

// Plays `bytes` once on slot 0 of the current mouse and waits for the end.
void PlayOnce(ConnectionRig& rig, const std::vector<std::uint8_t>& bytes) {
  const auto mouse = rig.link.FindDevice(rig.connection.CurrentPath.Get());
  ASSERT_TRUE(mouse.has_value());
  ASSERT_EQ(rig.players.StartSlot(*mouse, 0, MacroOf(bytes), device::kPlayOnce), 1);
  rig.WaitIdle();
}

struct PlayerTest : ::testing::Test {
  ConnectionRig rig;
  void SetUp() override {
    rig.Arrive();
    // Every test plays on the mouse that arrived; without one it has nothing to run.
    ASSERT_TRUE(rig.link.FindDevice(rig.connection.CurrentPath.Get()).has_value());
    rig.Forget();
  }
  // Times (virtual microseconds) at which the mouse received its live-input requests.
  std::vector<std::int64_t> LiveInputTimes() {
    std::vector<std::int64_t> times;
    for (const auto& event : rig.port.Log()) {
      if (event.kind == sim::SimEvent::Kind::kSetFeature && event.bytes[1] == 0x0D) {
        times.push_back(event.timeUs);
      }
    }
    return times;
  }
};

// Key code 0 is skipped; wheel steps go to the host, signed.
TEST_F(PlayerTest, SendsKeysUsagesAndButtonsToTheMouseAndWheelStepsToTheHost) {
  PlayOnce(rig, {0x04, 0x83, 0x00, 0x61, 0x7F, 0x6F, 0x70, 0x83, 0x04, 0x84, 0x04, 0x85, 0xE9, 0x00,
                 0x85, 0x00, 0x00, 0x21, 0x24, 0x41, 0x44, 0x86, 0x87, 0x08, 0x00, 0x00});
  EXPECT_EQ(rig.LiveInput(), (Lines{"down 04", "up 04", "usage E9 00", "usage 00 00", "buttons 01 00",
                                    "buttons 05 00", "buttons 00 01", "buttons 00 04",
                                    // the end: nothing held, the buttons are released anyway
                                    "buttons 00 00"}));
  EXPECT_EQ(rig.Mouse().liveInputAccepted, 9);
  EXPECT_EQ(rig.host.Wheels(), (std::vector<int>{1, -1, 15, -16}));
}

TEST_F(PlayerTest, ReleasesEveryKeyUsageAndButtonStillHeld) {
  // Key 0xFF last: the highest code is held and released like any other.
  PlayOnce(rig, {0x04, 0x83, 0x04, 0x83, 0xE1, 0x85, 0xE9, 0x00, 0x23, 0x83, 0xFF});
  const Lines live = rig.LiveInput();
  ASSERT_GE(live.size(), 5u);
  const Lines tail(live.end() - 5, live.end());
  EXPECT_EQ(tail, (Lines{"up 04", "up E1", "up FF", "usage 00 00", "buttons 00 03"}));
  EXPECT_TRUE(rig.Mouse().keysDown.empty());
  EXPECT_EQ(rig.Mouse().buttonsDown, 0);
  EXPECT_EQ(rig.Mouse().lastUsage, 0);
}

TEST_F(PlayerTest, KeepsTheProgrammedGapsBetweenKeyCommands) {
  // 50 ms, then 1000 ms as a long wait (0xE8 0x03), then a key step with no wait.
  PlayOnce(rig, {0x04, 0x83, 0x04, 0x88, 0x32, 0x84, 0x04, 0x89, 0xE8, 0x03, 0x83, 0x05, 0x84, 0x05});
  const auto times = LiveInputTimes();
  ASSERT_GE(times.size(), 4u);
  EXPECT_EQ(times[1] - times[0], 50000);
  EXPECT_EQ(times[2] - times[1], 1000000);
  // Without a wait the next step follows as soon as the mouse has taken the
  // request: its 1 ms pause after each exchange.
  EXPECT_EQ(times[3] - times[2], 1000);
}

TEST_F(PlayerTest, StopsAtAnUnacknowledgedRequestAndStillReleases) {
  rig.gate.freeWaits = 1;  // hold after the first key is down
  const auto mouse = rig.link.FindDevice(rig.connection.CurrentPath.Get());
  ASSERT_EQ(rig.players.StartSlot(*mouse, 0,
                                  MacroOf({0x04, 0x83, 0x04, 0x83, 0x05, 0x83, 0x06, 0x84, 0x06,
                                           0x84, 0x05, 0x84, 0x04}),
                                  device::kPlayOnce),
            1);
  ASSERT_TRUE(Eventually([&] { return rig.gate.blocked.load() == 1; }));
  // Refused for longer than the player's patience with one request, then
  // taken again: the release after the failure gets through.
  rig.Mouse().faults.liveInputRefusals = 300;
  rig.gate.freeWaits = -1;
  (*mouse->timerSlots)[0].timer->FireNow();
  rig.WaitIdle();

  const Lines live = rig.LiveInput();
  EXPECT_EQ(CountOf(live, "down 06"), 0);
  EXPECT_TRUE(rig.Mouse().keysDown.empty());
  ASSERT_FALSE(live.empty());
  EXPECT_EQ(live.back(), "buttons 00 00");
  EXPECT_EQ((*mouse->timerSlots)[0].runState.load(), device::TimerSlot::kIdle);
}

TEST_F(PlayerTest, SlotTakesNoSecondPlayerWhilePlaying) {
  rig.gate.freeWaits = 1;
  const auto mouse = rig.link.FindDevice(rig.connection.CurrentPath.Get());
  const auto macro = MacroOf({0x04, 0x83, 0x04, 0x84, 0x04});
  ASSERT_EQ(rig.players.StartSlot(*mouse, 3, macro, device::kPlayOnce), 1);
  EXPECT_EQ(rig.players.StartSlot(*mouse, 3, macro, device::kPlayOnce), 0);
  EXPECT_EQ(rig.players.StartSlot(*mouse, device::kTimerSlotCount, macro, device::kPlayOnce), 0);
  rig.gate.freeWaits = -1;
  device::MacroPlayers::StopSlot((*mouse->timerSlots)[3]);
  rig.WaitIdle();
  EXPECT_EQ(rig.players.StartSlot(*mouse, 3, macro, device::kPlayOnce), 1);
  rig.WaitIdle();
}

TEST_F(PlayerTest, ARecordDroppedWhileItsPlayerRunsLivesUntilThePlayerEnds) {
  rig.gate.freeWaits = 2;
  {
    const auto mouse = rig.link.FindDevice(rig.connection.CurrentPath.Get());
    ASSERT_EQ(rig.players.StartSlot(*mouse, 0, MacroOf({0x05, 0x83, 0x04, 0x84, 0x04}), device::kPlayLoop), 1);
  }
  ASSERT_TRUE(Eventually([&] { return rig.gate.blocked.load() == 1; }));
  // A new discovery replaces the record the player plays from.
  rig.Arrive();
  rig.WaitIdle();
  EXPECT_TRUE(rig.Mouse().keysDown.empty());
}

}  // namespace
