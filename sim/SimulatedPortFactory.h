#pragma once
// The simulated port the program's simulated mode runs on: one or two mice,
// each with a second interface that discovery must pass over, and a foreign
// device beside them, as a real desktop shows.
#include <memory>

#include "sim/SimulatedHidPort.h"

namespace sim {

// `mice` is clamped to 1..2. The second mouse has its own identity.
// `clock` (optional) stamps the log with the time of each request and
// spends each mouse's transfer latency.
std::unique_ptr<SimulatedHidPort> MakeSimulatedHidPort(int mice, device::Sleeper* clock = nullptr);

}  // namespace sim
