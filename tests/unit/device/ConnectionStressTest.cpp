// The stress test, meant for the ThreadSanitizer build: a thousand cycles of
// arrival on its thread, button presses that start and stop players, wheel
// and tilt reports read by a tilt thread, and the mouse unplugged and plugged
// in again while players run. Nothing may race, crash or stay held.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "device/Connection.h"
#include "device/MacroPlayers.h"
#include "device/MouseNotifications.h"
#include "device/SteadySlotTimer.h"
#include "macro/PlaybackTrigger.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"
#include "ConnectionRig.h"

namespace {

// Serialises every call into the simulated port, so the test can unplug the
// mouse while players talk to it. Plugging it in again starts it afresh, as
// power does to a real mouse: nothing it held stays held.
class LockedPort final : public device::HidPort {
 public:
  explicit LockedPort(sim::SimulatedHidPort& port) : port_(port) {}

  void Unplug() {
    std::lock_guard<std::mutex> hold(mutex_);
    port_.Mouse(0).Unplug();
  }
  void Replug() {
    std::lock_guard<std::mutex> hold(mutex_);
    sim::SimulatedMouse& mouse = port_.Mouse(0);
    mouse.Replug();
    mouse.keysDown.clear();
    mouse.buttonsDown = 0;
    mouse.lastUsage = 0;
  }
  sim::NotificationReport Input(std::uint16_t buttons, std::int8_t wheel, std::int8_t tilt) {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.Mouse(0).InputReport(buttons, wheel, tilt);
  }
  int Accepted() {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.Mouse(0).liveInputAccepted;
  }
  bool NothingHeld() {
    std::lock_guard<std::mutex> hold(mutex_);
    const sim::SimulatedMouse& mouse = port_.Mouse(0);
    return mouse.keysDown.empty() && mouse.buttonsDown == 0 && mouse.lastUsage == 0;
  }

  bool EnumerateInterfaces(std::vector<device::DevicePath>& paths) override {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.EnumerateInterfaces(paths);
  }
  device::HidHandle Open(const device::DevicePath& path, const device::OpenMode& mode) override {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.Open(path, mode);
  }
  void Close(device::HidHandle handle) override {
    std::lock_guard<std::mutex> hold(mutex_);
    port_.Close(handle);
  }
  bool GetCapabilities(device::HidHandle handle, device::HidCapabilities& caps) override {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.GetCapabilities(handle, caps);
  }
  bool GetAttributes(device::HidHandle handle, device::HidAttributes& attributes) override {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.GetAttributes(handle, attributes);
  }
  bool GetFeature(device::HidHandle handle, std::uint8_t* buffer, std::size_t length) override {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.GetFeature(handle, buffer, length);
  }
  bool SetFeature(device::HidHandle handle, const std::uint8_t* buffer, std::size_t length) override {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.SetFeature(handle, buffer, length);
  }
  bool GetIndexedString(device::HidHandle handle, int index, std::uint8_t* buffer,
                        std::size_t size) override {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.GetIndexedString(handle, index, buffer, size);
  }
  bool GetProductString(device::HidHandle handle, std::u16string& product) override {
    std::lock_guard<std::mutex> hold(mutex_);
    return port_.GetProductString(handle, product);
  }

 private:
  sim::SimulatedHidPort& port_;
  std::mutex mutex_;
};

constexpr int kCycles = 1000;
constexpr std::uint32_t kIdentity = 0x5A3C0001;

// Everything lives on the heap: the sanitizer forgets the locks of freed heap
// memory, but not those of a stack frame that a later test reuses.
struct StressRig {
  sim::VirtualClock clock;
  sim::SimulatedHidPort simPort;
  LockedPort port{simPort};
  device::HidLink link{port, clock};
  FakeView view;
  FakeHost host;
  device::SteadySlotTimerFactory timers;
  device::MacroPlayers players{link, host, timers};
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "vantor-connection-stress";
  MacroLibrary library;
  SoftwareProfiles profiles{library, folder / "macro.dat"};
  device::Connection connection{link, view, profiles, players};
  TiltAccumulator tilt;
  std::atomic<int> pulses{0};
  PlaybackTrigger trigger{profiles, players, connection.OperationBusy};
  device::MouseNotifications notifications{connection, tilt, [this] { ++pulses; }, trigger};

  StressRig() {
    simPort.SetLogging(false);
    sim::MouseConfig config;
    config.identity = kIdentity;
    simPort.AddMouse(config);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    // Every profile plays the same macros: a one-time macro on button 0, a
    // loop on 1, a firekey macro on 2, a one-time macro with a wheel step on
    // the wheel.
    const auto add = [&](std::vector<std::uint8_t> bytes) {
      return library.AddEntry(u"m", false, 0, 0, MacroOf(std::move(bytes))).id;
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
    library.devices[kIdentity] = record;
  }
  ~StressRig() { std::filesystem::remove_all(folder); }
};

TEST(ConnectionStress, ThousandCyclesOfArrivalPlayersNotificationsAndUnplugLeaveNothingHeld) {
  auto rig = std::make_unique<StressRig>();
  LockedPort& port = rig->port;
  device::Connection& connection = rig->connection;
  device::MacroPlayers& players = rig->players;
  device::MouseNotifications& notifications = rig->notifications;
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
    const auto bytes = port.Input(buttons, wheelMove, tiltMove);
    notifications.OnMouseNotification(bytes.data(), bytes.size());
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
    port.Unplug();
    connection.OnDeviceChange(device::kDevNodesChanged);
    port.Replug();
    connection.OnDeviceChange(device::kDevNodesChanged);
    ASSERT_EQ(connection.PendingRescans.load(), 2);
    players.JoinFinished();
  }
  arrive();
  report(0x0002);
  report(0x0004);
  connection.Shutdown();
  stop = true;
  tiltThread.join();
  tiltSeen += tilt.TakeTilt();

  EXPECT_EQ(players.Running(), 0);
  EXPECT_TRUE(port.NothingHeld());
  EXPECT_EQ(rig->simPort.OpenHandles(), 0);
  EXPECT_GT(rig->pulses.load(), kCycles);
  EXPECT_GT(port.Accepted(), kCycles);
  EXPECT_EQ(rig->profiles.CurrentSoftwareProfile(), 0);
  // Tilt from reports that came while arrival ran is counted too.
  EXPECT_GE(tiltSeen.load(), tiltSent);
}

}  // namespace
