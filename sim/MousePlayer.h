#pragma once
// The mouse's own macro player: what the firmware does when a button that
// holds a stored macro is pressed while the program leaves that button to
// the mouse. It decodes the macro in the mouse's memory and writes down what
// it outputs, each key, consumer usage and button change as the live-input
// request the program would have sent for it ("0D 01 04 00 00 00 00 08"),
// each wheel step as "wheel N" and each wait as "wait MS".
//
// One press plays the macro once, whatever its mode (the mouse has no
// notion of time here: waits are written down, not spent). A jump or counter
// that would run past 4096 commands ends the play, as does an invalid byte
// or the end of the macro area.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/MouseProtocol.h"

namespace sim {

// The lines a play of the macro starting at `start` (a macro-area address)
// outputs; empty when no macro starts there.
std::vector<std::string> PlayStoredMacro(const std::array<std::uint8_t, kMemorySize>& memory, std::uint32_t start);

}  // namespace sim
