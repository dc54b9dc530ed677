#include "app/SimulatorHand.h"

#include <chrono>

#include "base/DiagLog.h"

void SimulatorHand::Play(const std::string& scriptText) {
  SimulatorScript script = ParseSimulatorScript(scriptText);
  if (!script.error.empty()) {
    diag::Write("simulator script refused: " + script.error);
    return;
  }
  thread = std::thread(&SimulatorHand::Run, this, std::move(script));
}

void SimulatorHand::Stop() {
  {
    std::lock_guard<std::mutex> hold(lock);
    stopped = true;
  }
  wake.notify_all();
  if (thread.joinable()) thread.join();
}

bool SimulatorHand::Pause(int ms) {
  std::unique_lock<std::mutex> hold(lock);
  return !wake.wait_for(hold, std::chrono::milliseconds(ms), [&] { return stopped; });
}

void SimulatorHand::Run(SimulatorScript script) {
  diag::Writef("simulator script: %d actions", static_cast<int>(script.actions.size()));
  const device::Connection& state = session.State();
  for (const SimulatorAction& action : script.actions) {
    if (action.kind == SimulatorAction::Kind::kWait) {
      if (!Pause(action.value)) return;
    } else if (action.kind == SimulatorAction::Kind::kAwaitReady) {
      while (!state.DeviceReady || state.ArrivalBusy) {
        if (!Pause(10)) return;
      }
    } else {
      post(PackSimulatorAction(action), PackSimulatorValue(action));
    }
  }
  diag::Write("simulator script done");
}

void SimulatorHand::Apply(std::uint32_t kind, std::int64_t packed) {
  SimulatorAction action;
  if (!UnpackSimulatorAction(kind, packed, action)) return;
  if (action.mouse < 0 || action.mouse >= port.MouseCount() || action.mouse >= static_cast<int>(buttons.size())) {
    return;
  }
  const auto mouse = static_cast<std::size_t>(action.mouse);
  sim::NotificationReport report{};
  using Kind = SimulatorAction::Kind;
  switch (action.kind) {
    case Kind::kButtons:
      buttons[mouse] = static_cast<std::uint16_t>(action.value);
      report = port.InputReport(action.mouse, buttons[mouse]);
      break;
    case Kind::kWheel:
      report = port.InputReport(action.mouse, buttons[mouse], static_cast<std::int8_t>(action.value));
      break;
    case Kind::kTilt:
      report = port.InputReport(action.mouse, buttons[mouse], 0, static_cast<std::int8_t>(action.value));
      break;
    case Kind::kLevel:
      report = port.LevelChangeReport(action.mouse, action.value);
      break;
    case Kind::kUnplug:
    case Kind::kReplug:
      if (action.kind == Kind::kUnplug) port.Unplug(action.mouse);
      if (action.kind == Kind::kReplug) port.Replug(action.mouse);
      diag::Writef("simulator: mouse %d %s", action.mouse, action.kind == Kind::kUnplug ? "unplugged" : "replugged");
      session.OnDeviceChange(device::kDevNodesChanged);
      return;
    default:
      return;
  }
  diag::Writef("simulator: report %02X %02X %02X %02X %02X %02X %02X %02X", report[0], report[1], report[2],
               report[3], report[4], report[5], report[6], report[7]);
  session.OnNotification(report.data(), report.size());
}
