// The stress test, meant for the ThreadSanitizer build: a thousand cycles of
// arrival on its thread, button presses that start and stop players, wheel
// and tilt reports read by a tilt thread, and the mouse unplugged and plugged
// in again while players run. Nothing may race, crash or stay held.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ConnectionRig.h"

namespace {

constexpr int kCycles = 1000;
constexpr std::uint32_t kIdentity = 0x5A3C0001;

// Every profile plays the same macros: a one-time macro on button 0, a loop
// on 1, a firekey macro on 2, a one-time macro with a wheel step on the wheel.
void AssignStressMacros(ConnectionRig& rig) {
  const auto add = [&](const std::vector<std::uint8_t>& bytes) {
    return rig.library.AddEntry(u"m", false, 0, 0, MacroOf(bytes)).id;
  };
  const std::uint32_t once = add({0x04, 0x83, 0x04, 0x88, 0x01, 0x21, 0x84, 0x04, 0x41});
  const std::uint32_t loop = add({0x05, 0x83, 0x05, 0x85, 0xE9, 0x00, 0x88, 0x01, 0x84, 0x05});
  const std::uint32_t fire = add({0x06, 0x22, 0x88, 0x01, 0x42, 0x83, 0x06, 0x88, 0x01});
  const std::uint32_t wheel = add({0x04, 0x61, 0x83, 0x07});
  DeviceProfileRecord record;
  for (int p = 0; p < kSoftwareProfileCount; ++p) {
    auto& row = record.rows[static_cast<std::size_t>(p)];
    row[0] = once;
    row[1] = loop;
    row[2] = fire;
    row[8] = wheel;
  }
  rig.library.devices[kIdentity] = record;
}

TEST(ConnectionStress, ThousandCyclesOfArrivalPlayersNotificationsAndUnplugLeaveNothingHeld) {
  // On the heap: the sanitizer forgets the locks of freed heap memory, but
  // not those of a stack frame that a later test reuses.
  auto rig = std::make_unique<ConnectionRig>(1, SlotTime::kReal);
  rig->port.SetLogging(false);
  AssignStressMacros(*rig);
  sim::SimulatedHidPort& port = rig->port;
  device::Connection& connection = rig->connection;
  device::MacroPlayers& players = rig->players;
  TiltAccumulator& tilt = rig->tilt;

  std::atomic<bool> stop{false};
  std::atomic<long> tiltSeen{0};
  std::thread tiltThread([&] {
    while (!stop.load()) {
      tiltSeen += tilt.TakeTilt();
      std::this_thread::yield();
    }
  });
  // A failed assertion leaves the test early; the thread must not outlive it.
  struct Joiner {
    std::atomic<bool>& stop;
    std::thread& thread;
    ~Joiner() {
      stop = true;
      if (thread.joinable()) thread.join();
    }
  } joiner{stop, tiltThread};

  const auto report = [&](std::uint16_t buttons, std::int8_t wheelMove = 0, std::int8_t tiltMove = 0) {
    rig->Report(port.InputReport(0, buttons, wheelMove, tiltMove));
  };
  const auto arrive = [&] {
    connection.RequestRescan();
    connection.OnRescanTimer();
    // The window keeps handling reports while arrival runs; they change nothing.
    while (connection.ArrivalBusy.load() || connection.OperationBusy.load()) {
      report(0x0001, 0, 1);
      report(0x0000);
      std::this_thread::yield();
    }
  };

  long tiltSent = 0;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    arrive();
    ASSERT_EQ(connection.CurrentIdentity.load(), kIdentity) << "cycle " << cycle;
    report(0x0002, 0, 1);  // the loop starts
    report(0x0006, 1, 1);  // firekey held beside it; the wheel stops the loop
    report(0x0004);
    report(0x0005);  // one time
    report(0x0004);
    if (cycle % 143 == 0) {
      report(0x8004);
      report(0x0004);
    }
    report(0x0000);  // firekey released
    report(0x0002);  // the loop again, left playing for the unplug
    tiltSent += 2;
    std::this_thread::yield();
    port.Unplug(0);
    connection.OnDeviceChange(device::kDevNodesChanged);
    port.Replug(0);
    connection.OnDeviceChange(device::kDevNodesChanged);
    ASSERT_EQ(connection.PendingRescans.load(), 2);
    players.JoinFinished();
  }
  // Keys the mouse held when it was pulled out stay held in the simulation;
  // a real mouse loses them with its power. Only the last round counts.
  players.JoinAll();
  sim::SimulatedMouse& mouse = rig->Mouse();
  mouse.keysDown.clear();
  mouse.buttonsDown = 0;
  mouse.lastUsage = 0;
  arrive();
  report(0x0002);
  report(0x0004);
  connection.Shutdown();
  stop = true;
  tiltThread.join();
  tiltSeen += tilt.TakeTilt();

  EXPECT_EQ(players.Running(), 0);
  EXPECT_TRUE(mouse.keysDown.empty() && mouse.buttonsDown == 0 && mouse.lastUsage == 0);
  EXPECT_EQ(port.OpenHandles(), 0);
  EXPECT_GT(rig->pulses.load(), kCycles);
  EXPECT_GT(mouse.liveInputAccepted, kCycles);
  EXPECT_EQ(rig->profiles.CurrentSoftwareProfile(), 0);
  // Tilt from reports that came while arrival ran is counted too.
  EXPECT_GE(tiltSeen.load(), tiltSent);
}

}  // namespace
