#pragma once
// The connection, its players, the notifications and the playback trigger
// wired to simulated mice on a virtual clock, with a fake main window, a fake
// host and slot timers that spend virtual time, so the lifecycle runs
// instantly and exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/Connection.h"
#include "device/HostInput.h"
#include "device/MacroPlayers.h"
#include "device/MouseNotifications.h"
#include "device/SlotTimer.h"
#include "macro/MacroLibrary.h"
#include "macro/PlaybackTrigger.h"
#include "macro/SoftwareProfiles.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"

// Records what the connection asked of the window, in order.
class FakeView final : public device::ConnectionView {
 public:
  void EnableDeviceControls(bool enable) override { Note(enable ? "device on" : "device off"); }
  void EnableDpiControls(bool enable) override { Note(enable ? "dpi on" : "dpi off"); }
  void SetSliderRange(int top) override { Note("range " + std::to_string(top)); }
  bool TieChecked() override {
    std::lock_guard<std::mutex> hold(mutex);
    return tie;
  }
  void SetTieChecked(bool checked) override {
    {
      std::lock_guard<std::mutex> hold(mutex);
      tie = checked;
    }
    Note(checked ? "tie on" : "tie off");
  }
  void EnableYSlider(bool enable) override { Note(enable ? "y on" : "y off"); }
  void ShowLevelSteps(int x, int y) override { Note("show " + std::to_string(x) + "," + std::to_string(y)); }
  void Repaint(bool full) override { Note(full ? "repaint full" : "repaint"); }
  void StartTimer(int id, int periodMs) override {
    {
      std::lock_guard<std::mutex> hold(mutex);
      timers[id] = periodMs;
    }
    Note("timer " + std::to_string(id) + " " + std::to_string(periodMs));
  }
  void StopTimer(int id) override {
    {
      std::lock_guard<std::mutex> hold(mutex);
      timers.erase(id);
    }
    Note("stop " + std::to_string(id));
  }
  bool CreateTiltMutex() override {
    Note("tilt mutex");
    return mutexFree;
  }
  device::Page ShowingPage() override { return page; }

  std::vector<std::string> Calls() {
    std::lock_guard<std::mutex> hold(mutex);
    return calls;
  }
  bool Called(const std::string& call) {
    const auto all = Calls();
    return std::find(all.begin(), all.end(), call) != all.end();
  }
  bool TimerRunning(int id) {
    std::lock_guard<std::mutex> hold(mutex);
    return timers.count(id) == 1;
  }
  int TimerPeriod(int id) {
    std::lock_guard<std::mutex> hold(mutex);
    return timers.count(id) == 1 ? timers[id] : -1;
  }
  void Forget() {
    std::lock_guard<std::mutex> hold(mutex);
    calls.clear();
  }

  std::atomic<bool> mutexFree{true};
  std::atomic<device::Page> page{device::Page::kButtons};

 private:
  void Note(const std::string& call) {
    std::lock_guard<std::mutex> hold(mutex);
    calls.push_back(call);
  }
  std::mutex mutex;
  bool tie = true;
  std::vector<std::string> calls;
  std::map<int, int> timers;
};

class FakeHost final : public device::HostInput {
 public:
  void Wheel(int notches) override {
    std::lock_guard<std::mutex> hold(mutex);
    wheels.push_back(notches);
  }
  std::vector<int> Wheels() {
    std::lock_guard<std::mutex> hold(mutex);
    return wheels;
  }

 private:
  std::mutex mutex;
  std::vector<int> wheels;
};

// How many waits of the slot timers pass at once (spending virtual time);
// after those, waits block until the player is stopped. -1: every wait passes.
struct TimerGate {
  std::atomic<int> freeWaits{-1};
  std::atomic<int> blocked{0};
};

class VirtualSlotTimer final : public device::SlotTimer {
 public:
  VirtualSlotTimer(sim::VirtualClock& clock, TimerGate& gate) : clock_(clock), gate_(gate) {}
  void Arm(std::int64_t dueUs) override {
    std::lock_guard<std::mutex> hold(mutex_);
    due_ = dueUs;
  }
  void Wait() override {
    std::unique_lock<std::mutex> hold(mutex_);
    if (!fired_ && TakeFreeWait()) {
      const std::int64_t due = due_;
      hold.unlock();
      clock_.SleepMicroseconds(due);
      hold.lock();
    } else if (!fired_) {
      ++gate_.blocked;
      wake_.wait(hold, [&] { return fired_; });
      --gate_.blocked;
    }
    fired_ = false;
  }
  void FireNow() override {
    {
      std::lock_guard<std::mutex> hold(mutex_);
      fired_ = true;
    }
    wake_.notify_all();
  }
  void Reset() override {
    std::lock_guard<std::mutex> hold(mutex_);
    fired_ = false;
  }

 private:
  bool TakeFreeWait() {
    for (int left = gate_.freeWaits.load();;) {
      if (left < 0) return true;
      if (left == 0) return false;
      if (gate_.freeWaits.compare_exchange_weak(left, left - 1)) return true;
    }
  }
  sim::VirtualClock& clock_;
  TimerGate& gate_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::int64_t due_ = 0;
  bool fired_ = false;
};

class VirtualSlotTimerFactory final : public device::SlotTimerFactory {
 public:
  VirtualSlotTimerFactory(sim::VirtualClock& clock, TimerGate& gate) : clock_(clock), gate_(gate) {}
  std::unique_ptr<device::SlotTimer> Create() override {
    return std::make_unique<VirtualSlotTimer>(clock_, gate_);
  }

 private:
  sim::VirtualClock& clock_;
  TimerGate& gate_;
};

// A library macro from its bytes (mode byte first).
inline MacroCommands MacroOf(std::vector<std::uint8_t> bytes) {
  MacroCommands commands;
  bytes.resize(bytes.size() + 5, 0);
  std::size_t offset = 0;
  while (offset + 5 < bytes.size()) {
    MacroCommand command;
    if (DecodeCommand(&bytes[offset], command) == kDecodedInvalid || command.length == 0) break;
    if (IsEndOpcode(command.code[0])) break;
    command.address = static_cast<std::uint32_t>(offset);
    commands.push_back(command);
    offset += command.length;
  }
  return commands;
}

// Polls `done` for up to ten seconds of real time (threads of the players).
template <typename Fn>
bool Eventually(Fn done) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

struct ConnectionRig {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  device::HidLink link{port, clock};
  FakeView view;
  FakeHost host;
  TimerGate gate;
  VirtualSlotTimerFactory timers{clock, gate};
  device::MacroPlayers players{link, host, timers};
  std::filesystem::path folder;
  std::filesystem::path file;
  MacroLibrary library;
  SoftwareProfiles profiles{library, LibraryFile()};
  device::Connection connection{link, view, profiles, players};
  TiltAccumulator tilt;
  std::atomic<int> pulses{0};
  PlaybackTrigger trigger{profiles, players, connection.OperationBusy};
  device::MouseNotifications notifications{connection, tilt, [this] { ++pulses; }, trigger};

  explicit ConnectionRig(int mice = 1) {
    for (int i = 0; i < mice; ++i) {
      sim::MouseConfig config;
      config.identity = 0x5A3C0001u + static_cast<std::uint32_t>(i);
      port.AddMouse(config);
    }
  }
  ~ConnectionRig() {
    players.StopAll();
    players.JoinAll();
    std::filesystem::remove_all(folder);
  }

  std::filesystem::path LibraryFile() {
    folder = std::filesystem::temp_directory_path() /
             ("vantor-connection-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    file = folder / "macro.dat";
    return file;
  }

  sim::SimulatedMouse& Mouse(int i = 0) { return port.Mouse(i); }
  device::DevicePath Path(int i = 0) const { return port.ConfigPath(i); }
  std::vector<std::string> Requests(int mouse = -1) const { return port.Requests(mouse); }
  void Forget() {
    port.ClearLog();
    clock.ClearSleeps();
    view.Forget();
  }

  // Arrival as the rescan timer's thread runs it, without the thread.
  void Arrive() { connection.DeviceArrival(); }

  // Adds a macro to the library and gives it to `button` in the current profile.
  std::uint32_t Assign(int button, const std::vector<std::uint8_t>& bytes) {
    const std::uint32_t id = library.AddEntry(u"macro", false, 0, 0, MacroOf(bytes)).id;
    EXPECT_EQ(profiles.SetRowValue(button, id), 1);
    return id;
  }

  void Report(const sim::NotificationReport& report) {
    notifications.OnMouseNotification(report.data(), report.size());
  }
  void Report(const std::uint8_t* bytes, std::size_t length) {
    notifications.OnMouseNotification(bytes, length);
  }
  // Presses and releases as the mouse reports them (button bits as it numbers them).
  void Buttons(std::uint16_t bits, int mouse = 0) { Report(Mouse(mouse).InputReport(bits)); }
  void WaitIdle() {
    EXPECT_TRUE(Eventually([&] { return players.Running() == 0; }));
    players.JoinFinished();
  }

  // The live-input requests the mouse received, as "down 04", "up 04",
  // "usage 00 00", "buttons 01 00".
  std::vector<std::string> LiveInput(int mouse = 0) const {
    std::vector<std::string> lines;
    for (const auto& event : port.Log()) {
      if (event.kind != sim::SimEvent::Kind::kSetFeature || event.mouse != mouse) continue;
      if (event.bytes[1] != 0x0D) continue;
      char text[32];
      const char* names[] = {"?", "down", "up", "usage", "buttons"};
      const int sub = event.bytes[2] <= 4 ? event.bytes[2] : 0;
      if (sub == 1 || sub == 2) {
        std::snprintf(text, sizeof text, "%s %02X", names[sub], event.bytes[3]);
      } else {
        std::snprintf(text, sizeof text, "%s %02X %02X", names[sub], event.bytes[3], event.bytes[4]);
      }
      lines.emplace_back(text);
    }
    return lines;
  }
};
