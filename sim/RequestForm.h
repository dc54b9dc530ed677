#pragma once
// The rules every request's bytes must keep, as the firmware checks them
// before it acts: a known group and sub-command, the right byte 8, and zero
// in every byte that the command does not name.
#include <string>

#include "sim/MouseProtocol.h"

namespace sim {

// Empty when the request keeps the rules; otherwise what is wrong, e.g.
// "01 83: byte 7 is 05, must be 0".
std::string FormError(const Report& request);

// Byte 8 of a live-input request: bytes 1 to 7 folded with XOR.
std::uint8_t LiveCheckByte(const Report& request);

}  // namespace sim
