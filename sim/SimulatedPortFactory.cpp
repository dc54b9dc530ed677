#include "sim/SimulatedPortFactory.h"

#include <algorithm>

#include "sim/SampleMacros.h"

namespace sim {

std::unique_ptr<SimulatedHidPort> MakeSimulatedHidPort(int mice, device::Sleeper* clock) {
  auto port = std::make_unique<SimulatedHidPort>(clock);
  port->AddForeignDevice(ForeignDevice{0, u""});
  for (int i = 0; i < std::clamp(mice, 1, 2); ++i) {
    MouseConfig config;
    config.identity = 0x5A3C0001u + static_cast<std::uint32_t>(i);
    const int mouse = port->AddMouse(config);
    LoadSampleMacros(port->Mouse(mouse));
    port->AddMouseInterface(mouse, 65);
  }
  return port;
}

}  // namespace sim
