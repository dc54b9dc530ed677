// Macro playback as the user feels it, against a simulated mouse that answers
// at once: how far the gaps between the key commands the mouse receives stray
// from the waits programmed between them (waits of 1 to 500 ms), and how long
// a button press takes to become the first live-input request.
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "Bench.h"
#include "BenchMouse.h"
#include "device/Connection.h"
#include "device/MacroPlayers.h"
#include "device/MouseNotifications.h"
#include "device/PlaybackTrigger.h"
#include "device/SteadySlotTimer.h"
#include "macro/MacroLibrary.h"
#include "macro/SoftwareProfiles.h"
#include "support/QuietPlatform.h"

namespace {

using bench::BenchMouse;
using bench::KeyCommand;
using bench::Percentile;

// Times (µs on the sleeper's clock) at which the mouse received key commands.
std::vector<std::int64_t> KeyCommandTimes(const sim::SimulatedHidPort& port, std::int64_t after = 0) {
  std::vector<std::int64_t> times;
  for (const auto& event : port.Log()) {
    if (event.kind != sim::SimEvent::Kind::kSetFeature || event.bytes[1] != 0x0D) continue;
    if ((event.bytes[2] == 0x01 || event.bytes[2] == 0x02) && event.timeUs >= after) {
      times.push_back(event.timeUs);
    }
  }
  return times;
}

void WaitForPlayers(device::MacroPlayers& players) {
  while (players.Running() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  players.JoinFinished();
}

// Measured minus programmed gap of every key-to-key interval, in ms.
const std::vector<double>& PlaybackErrors() {
  static std::vector<double> errors;
  if (!errors.empty()) return errors;

  std::vector<int> waits;
  for (int round = 0; round < 2; ++round) {
    for (int ms = 1; ms <= 50; ++ms) waits.push_back(ms);
    for (int ms = 60; ms <= 500; ms += 40) waits.push_back(ms);
  }
  MacroCommands macro = NewMacro();
  for (std::size_t i = 0; i <= waits.size(); ++i) {
    macro.push_back(KeyCommand(i % 2 == 0 ? kOpKeyDown : kOpKeyUp, 0x04));
    if (i < waits.size()) macro.push_back(MakeWait(static_cast<std::uint32_t>(waits[i])));
  }
  Renumber(macro);

  BenchMouse bench(0, true);
  NoHostInput host;
  device::SteadySlotTimerFactory timers;
  device::MacroPlayers players(bench.link, host, timers);
  bench.port.ClearLog();
  const auto mouse = bench.link.FirstDevice();
  if (!mouse || !players.StartSlot(*mouse, 0, macro, device::kPlayOnce)) return errors;
  WaitForPlayers(players);

  const auto times = KeyCommandTimes(bench.port);
  for (std::size_t i = 0; i + 1 < times.size() && i < waits.size(); ++i) {
    errors.push_back(static_cast<double>(times[i + 1] - times[i]) / 1000.0 - waits[i]);
  }
  return errors;
}

}  // namespace

VANTOR_FIGURE(playback_error_ms_p50) { return Percentile(PlaybackErrors(), 0.50); }

VANTOR_FIGURE(playback_error_ms_p99) { return Percentile(PlaybackErrors(), 0.99); }

// From the notification report to the first live-input request of the macro
// that the pressed button starts, through the trigger and a new player thread.
VANTOR_FIGURE(press_to_command_ms_p99) {
  BenchMouse bench(0, true);
  sim::SimulatedHidPort& port = bench.port;
  device::HidLink& link = bench.link;
  IgnoredConnectionEvents view;
  NoHostInput host;
  device::SteadySlotTimerFactory timers;
  device::MacroPlayers players(link, host, timers);
  const auto folder = std::filesystem::temp_directory_path() / "vantor-player-bench";
  std::filesystem::create_directories(folder);
  MacroLibrary library;
  SoftwareProfiles profiles(library, folder / "macro.dat");
  device::Connection connection(link, view, profiles, players);
  TiltAccumulator tilt;
  PlaybackTrigger trigger(profiles, players, connection.OperationBusy);
  device::MouseNotifications notifications(connection, tilt, nullptr, trigger);

  connection.DeviceArrival();
  MacroCommands macro = NewMacro();
  macro.push_back(KeyCommand(kOpKeyDown, 0x04));
  macro.push_back(KeyCommand(kOpKeyUp, 0x04));
  Renumber(macro);
  const std::uint32_t id = library.AddEntry(u"bench", false, 0, 0, macro).id;
  if (connection.SetRowValue(0, id) != 1) return -1.0;

  std::vector<double> latencies;
  for (int i = 0; i < 400; ++i) {
    port.ClearLog();
    const auto press = port.Mouse(0).InputReport(0x0001);
    const auto release = port.Mouse(0).InputReport(0x0000);
    const std::int64_t start = bench.sleeper.NowMicroseconds();
    notifications.OnMouseNotification(press.data(), press.size());
    WaitForPlayers(players);
    notifications.OnMouseNotification(release.data(), release.size());
    const auto times = KeyCommandTimes(port, start);
    if (times.empty()) return -1.0;
    latencies.push_back(static_cast<double>(times.front() - start) / 1000.0);
  }
  std::filesystem::remove_all(folder);
  return Percentile(latencies, 0.99);
}
