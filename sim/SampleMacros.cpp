#include "sim/SampleMacros.h"

#include <string>
#include <vector>

namespace sim {

namespace {

// This mouse's own layout: 64 directory entries of 32 bytes; macro
// addresses count from the first byte after them.
constexpr int kEntrySize = 32;
constexpr int kMacroBase = 64 * kEntrySize;
constexpr int kNameChars = 14;

struct Sample {
  std::u16string name;
  std::vector<std::uint8_t> bytes;  // mode byte, commands, end mark
};

void Put(SimulatedMouse& mouse, int entry, int start, const Sample& sample) {
  const int end = start + static_cast<int>(sample.bytes.size()) - 1;
  std::uint8_t* at = mouse.memory.data() + entry * kEntrySize;
  at[0] = static_cast<std::uint8_t>(start & 0xFF);
  at[1] = static_cast<std::uint8_t>(start >> 8);
  at[2] = static_cast<std::uint8_t>(end & 0xFF);
  at[3] = static_cast<std::uint8_t>(end >> 8);
  for (int i = 0; i < kNameChars; ++i) {
    const char16_t unit = i < static_cast<int>(sample.name.size()) ? sample.name[static_cast<std::size_t>(i)] : 0;
    at[4 + 2 * i] = static_cast<std::uint8_t>(unit & 0xFF);
    at[5 + 2 * i] = static_cast<std::uint8_t>(unit >> 8);
  }
  for (std::size_t i = 0; i < sample.bytes.size(); ++i) {
    mouse.memory[static_cast<std::size_t>(kMacroBase + start) + i] = sample.bytes[i];
  }
}

}  // namespace

void LoadSampleMacros(SimulatedMouse& mouse) {
  // Capitals first in byte order, but not when case is ignored.
  const Sample samples[] = {
      {u"Zoom in", {0x04, 0x83, 0xE0, 0x61, 0x84, 0xE0, 0x00}},                    // Ctrl + wheel up
      {u"Copy", {0x04, 0x83, 0xE0, 0x83, 0x06, 0x88, 0x20, 0x84, 0x06, 0x84, 0xE0, 0x00}},  // Ctrl+C
      {u"burst fire", {0x06, 0x21, 0x88, 0x1E, 0x41, 0x88, 0x1E, 0x00}},          // firekey: left clicks
      {u"alt tab", {0x04, 0x83, 0xE2, 0x83, 0x2B, 0x88, 0x40, 0x84, 0x2B, 0x84, 0xE2, 0x00}},
  };
  int start = 0;
  int entry = 0;
  for (const Sample& sample : samples) {
    Put(mouse, entry++, start, sample);
    start += static_cast<int>(sample.bytes.size());
  }
}

}  // namespace sim
