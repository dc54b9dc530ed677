// A rule's profile switch through the window's one controller, on a simulated
// mouse that spends 1 ms on each transfer: from the foreground event to the
// last button-mask request the mouse answered.
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Bench.h"
#include "device/PreciseSleeper.h"
#include "macro/SoftwareProfiles.h"
#include "sim/SimulatedHidPort.h"
#include "support/ControllerParts.h"
#include "support/QuietPlatform.h"

namespace {

using Kind = WindowEvent::Kind;

// The simulated mouse's identity, under which the library keeps its profiles.
constexpr std::uint32_t kMouseKey = 0x5A3C0001;
// "set mask B", the last request of a mask change.
const std::string kLastMaskRequest = "str 109";

bool MaskRequestSince(const sim::SimulatedHidPort& port, std::size_t from) {
  const std::vector<std::string> requests = port.Requests(0);
  for (std::size_t i = from; i < requests.size(); ++i) {
    if (requests[i] == kLastMaskRequest) return true;
  }
  return false;
}

}  // namespace

VANTOR_FIGURE(profile_switch_ms_p99) {
  device::PreciseSleeper sleeper(200);
  sim::SimulatedHidPort port{&sleeper};
  device::HidLink link{port, sleeper};
  QuietPlatform quiet;
  ControllerParts parts;
  MacroLibrary library;
  LibraryView view;

  // Profile 3 gives button 3 a macro, so its masks differ from profile 0's.
  library.AddEntry(u"type A", false, 0, 0, NewMacro());
  DeviceProfileRecord record = DefaultProfileRecord(u"Unknown mode");
  record.rows[3][3] = 1;
  library.devices[kMouseKey] = record;
  ProfileRules rules;
  rules.Set(u"game.exe", 3);
  rules.SetNoMatch(0);

  port.AddMouse(sim::MouseConfig{});
  port.Mouse(0).faults.transferLatencyUs = 1000;
  MouseSession session(quiet.For(link), library, std::filesystem::temp_directory_path() / "vantor-bench-switch.dat",
                       u"Unknown mode");
  session.SetProfileRules(rules);
  const std::unique_ptr<WindowController> controller = parts.MakeController(session, library, view);
  session.Start();
  session.OnRescanTick();
  const auto limit = bench::Clock::now() + std::chrono::seconds(20);
  while (session.Profiles().ProfileCount() < 1 || session.State().ArrivalBusy || session.State().OperationBusy) {
    if (bench::Clock::now() > limit) return -1.0;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  std::vector<double> samples;
  for (int i = 0; i < 60; ++i) {
    port.ClearLog();
    WindowEvent front{Kind::kForegroundChanged};
    front.text = i % 2 == 0 ? u"C:\\Games\\game.exe" : u"C:\\Windows\\explorer.exe";
    const auto start = bench::Clock::now();
    controller->Handle(front);
    while (!MaskRequestSince(port, 0)) {
      if (bench::Clock::now() > limit + std::chrono::seconds(60)) return -1.0;
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    samples.push_back(bench::MillisecondsSince(start));
    // The profile's values follow the masks; let them pass before the next switch.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  session.Finish([] {});
  return bench::Percentile(samples, 0.99);
}
