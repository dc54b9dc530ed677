#pragma once
// A simulated mouse on a precise clock, for the figures that time the link,
// the long operations and playback against it.
#include <cstdint>

#include "device/Discovery.h"
#include "device/HidLink.h"
#include "device/PreciseSleeper.h"
#include "macro/MacroCommand.h"
#include "sim/SimulatedHidPort.h"

namespace bench {

struct BenchMouse {
  device::PreciseSleeper sleeper;
  sim::SimulatedHidPort port{&sleeper};
  device::HidLink link{port, sleeper};

  // `latencyUs`: what the mouse spends on each feature transfer. The log is
  // off unless asked for, as keeping it would cost more than most figures measure.
  explicit BenchMouse(std::int64_t latencyUs, bool log = false, std::int64_t spinUs = 200) : sleeper(spinUs) {
    port.AddMouse();
    device::Discover(link);
    port.SetLogging(log);
    port.Mouse(0).faults.transferLatencyUs = latencyUs;
  }
  device::DevicePath Path() const { return port.ConfigPath(0); }
};

inline MacroCommand KeyCommand(std::uint8_t opcode, std::uint8_t usage) {
  MacroCommand key;
  key.length = 2;
  key.code[0] = opcode;
  key.code[1] = usage;
  return key;
}

}  // namespace bench
