#pragma once
// The simulated mice's memory between two runs of a program: the firmware
// state that a real mouse keeps while unplugged (memory, levels, profile
// names, button functions, profile values) in a small text file, so that a
// command-line run on the simulator sees what an earlier run wrote.
#include <filesystem>
#include <string>

#include "sim/SimulatedHidPort.h"

namespace sim {

// A missing file leaves the mice fresh and succeeds. A damaged one, or one
// that names more mice than the port holds, changes nothing and fails with
// the line and what is wrong in `problem`.
bool LoadSimulatorState(const std::filesystem::path& file, SimulatedHidPort& port,
                        std::string* problem = nullptr);

// Writes every mouse of the port through a temporary beside `file`.
bool SaveSimulatorState(const std::filesystem::path& file, SimulatedHidPort& port,
                        std::string* problem = nullptr);

}  // namespace sim
