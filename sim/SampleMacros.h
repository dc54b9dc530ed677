#pragma once
// What a simulated mouse holds when the program is tried without one: a few
// named macros in its memory, as a user's own mouse would, so that the
// button lists and the memory figures show real entries.
#include "sim/SimulatedMouse.h"

namespace sim {

// Directory entries and macro bytes of four macros (one in firekey mode);
// the rest of the memory stays erased.
void LoadSampleMacros(SimulatedMouse& mouse);

}  // namespace sim
