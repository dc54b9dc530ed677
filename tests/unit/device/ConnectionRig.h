#pragma once
// The connection, its players, the notifications and the playback trigger
// wired to simulated mice on a virtual clock, with a fake main window and a
// fake host. The players' slot timers spend virtual time, so the lifecycle
// runs instantly and exactly, or real time for the stress test.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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
#include "device/PlaybackTrigger.h"
#include "device/SteadySlotTimer.h"
#include "macro/MacroLibrary.h"
#include "macro/SoftwareProfiles.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"
#include "support/TempFolder.h"
#include "support/VirtualSlotTimer.h"

// Records what the connection told the window, in order.
class FakeEvents final : public device::ConnectionEvents {
 public:
  void RescanWanted(int delayMs) override {
    rescanMs = delayMs;
    Note(delayMs > 0 ? "rescan " + std::to_string(delayMs) : "rescan off");
  }
  void ArrivalEnded(bool found) override { Note(found ? "arrived" : "arrived, no mouse"); }
  void MouseLost() override { Note("lost"); }
  void LevelChangedOnMouse(int level) override { Note("level " + std::to_string(level)); }
  void SettingsChanged() override { Note("settings"); }
  bool CreateTiltMutex() override {
    Note("tilt mutex");
    return mutexFree;
  }

  std::vector<std::string> Calls() {
    std::lock_guard<std::mutex> hold(mutex);
    return calls;
  }
  void Forget() {
    std::lock_guard<std::mutex> hold(mutex);
    calls.clear();
  }

  std::atomic<bool> mutexFree{true};
  // The delay of the rescan ticks wanted last; 0 when none are.
  std::atomic<int> rescanMs{0};

 private:
  void Note(const std::string& call) {
    std::lock_guard<std::mutex> hold(mutex);
    calls.push_back(call);
  }
  std::mutex mutex;
  std::vector<std::string> calls;
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

// A library macro from its bytes (mode byte first).
inline MacroCommands MacroOf(const std::vector<std::uint8_t>& bytes) {
  MacroCommands commands;
  ParseMacroBytes(commands, bytes.data(), bytes.size());
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

inline int CountOf(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

enum class SlotTime { kVirtual, kReal };

struct ConnectionRig {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  device::HidLink link{port, clock};
  FakeEvents view;
  FakeHost host;
  TimerGate gate;
  VirtualSlotTimerFactory virtualTimers{clock, gate};
  device::SteadySlotTimerFactory steadyTimers;
  const SlotTime slotTime;
  device::MacroPlayers players{link, host,
                               slotTime == SlotTime::kReal ? static_cast<device::SlotTimerFactory&>(steadyTimers)
                                                           : virtualTimers};
  TempFolder folder;
  std::filesystem::path file = folder / "macro.dat";
  MacroLibrary library;
  SoftwareProfiles profiles{library, file};
  device::Connection connection{link, view, profiles, players};
  TiltAccumulator tilt;
  std::atomic<int> pulses{0};
  PlaybackTrigger trigger{profiles, players, connection.OperationBusy};
  device::MouseNotifications notifications{connection, tilt, [this] { ++pulses; }, trigger};

  explicit ConnectionRig(int mice = 1, SlotTime time = SlotTime::kVirtual) : slotTime(time) {
    for (int i = 0; i < mice; ++i) {
      sim::MouseConfig config;
      config.identity = 0x5A3C0001u + static_cast<std::uint32_t>(i);
      port.AddMouse(config);
    }
  }
  ~ConnectionRig() {
    players.StopAll();
    players.JoinAll();
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

  void Report(const sim::NotificationReport& report) { notifications.OnMouseNotification(report.data(), report.size()); }
  // Presses and releases as the mouse reports them (button bits as it numbers them).
  void Buttons(std::uint16_t bits, int mouse = 0) { Report(port.InputReport(mouse, bits)); }
  void WaitIdle() {
    EXPECT_TRUE(Eventually([&] { return players.Running() == 0; }));
    players.JoinFinished();
  }

  // The live-input requests the mouse received, as "down 04", "up 04",
  // "usage 00 00", "buttons 01 00".
  std::vector<std::string> LiveInput(int mouse = 0) const {
    static const std::map<std::string, std::string> kNames = {
        {"01", "down"}, {"02", "up"}, {"03", "usage"}, {"04", "buttons"}};
    std::vector<std::string> lines;
    for (const std::string& request : port.Requests(mouse)) {
      // "set 0D 01 04 00 00 00 00 2B": group, sub-command, parameters, check byte.
      if (request.rfind("set 0D ", 0) != 0) continue;
      const std::string sub = request.substr(7, 2);
      lines.push_back(kNames.at(sub) + " " + request.substr(10, sub <= "02" ? 2 : 5));
    }
    return lines;
  }
};
