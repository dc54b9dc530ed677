#pragma once
// Macros laid straight into a simulated mouse's memory, and read back from
// it, for the tests of storing, removing and packing macros.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimulatedMouse.h"

namespace macro_memory {

inline constexpr int kAreaBase = 2048;

// A one-time macro of `size` bytes (at least 4): key presses and releases
// that differ with `seed`, a wait to fill an odd byte, and the end mark.
inline std::vector<std::uint8_t> Macro(int seed, std::size_t size) {
  std::vector<std::uint8_t> bytes{0x04};
  while (bytes.size() + 1 < size) {
    if (size - 1 - bytes.size() >= 4) {
      const auto key = static_cast<std::uint8_t>(4 + (seed + bytes.size()) % 26);
      bytes.insert(bytes.end(), {0x83, key, 0x84, key});
    } else {
      bytes.push_back(0x60);  // a wheel step of 0: one byte that plays nothing
    }
  }
  bytes.push_back(0x00);
  return bytes;
}

inline void PlaceMacro(sim::SimulatedMouse& mouse, int entry, std::uint32_t start, const std::vector<std::uint8_t>& bytes,
                       const std::u16string& name) {
  const std::uint32_t end = start + static_cast<std::uint32_t>(bytes.size()) - 1;
  std::uint8_t* at = mouse.memory.data() + entry * 32;
  at[0] = static_cast<std::uint8_t>(start & 0xFF);
  at[1] = static_cast<std::uint8_t>(start >> 8);
  at[2] = static_cast<std::uint8_t>(end & 0xFF);
  at[3] = static_cast<std::uint8_t>(end >> 8);
  for (std::size_t i = 0; i < 14; ++i) {
    const char16_t unit = i < name.size() ? name[i] : 0;
    at[4 + 2 * i] = static_cast<std::uint8_t>(unit & 0xFF);
    at[5 + 2 * i] = static_cast<std::uint8_t>(unit >> 8);
  }
  std::copy(bytes.begin(), bytes.end(), mouse.memory.begin() + kAreaBase + start);
}

inline std::vector<std::uint8_t> AreaBytes(const sim::SimulatedMouse& mouse, std::uint32_t start, std::size_t size) {
  const auto from = mouse.memory.begin() + kAreaBase + start;
  return {from, from + static_cast<std::ptrdiff_t>(size)};
}

// Entry `entry`'s start and inclusive end words.
inline std::pair<std::uint32_t, std::uint32_t> EntryWords(const sim::SimulatedMouse& mouse, int entry) {
  const std::uint8_t* at = mouse.memory.data() + entry * 32;
  return {static_cast<std::uint32_t>(at[0] | (at[1] << 8)), static_cast<std::uint32_t>(at[2] | (at[3] << 8))};
}

}  // namespace macro_memory
