#pragma once
// DPI levels as the user sees them. The mouse holds a level as a base step
// per axis, chosen from the steps its sensor allows, times a reduced ratio.
#include <cstdint>

#include "device/HidLink.h"

namespace device {

struct LevelSteps {
  std::uint8_t x = 0;
  std::uint8_t y = 0;
};

// The smallest allowed step at least `target`; else the largest allowed; 0
// when nothing is allowed. `allowed` has bit s set for step s.
int BaseStep(std::uint64_t allowed, int target);

// Brings numerator / denominator to lowest terms.
void ReduceFraction(std::uint8_t& numerator, std::uint8_t& denominator);

// The steps the user sees: 0 and 0 with result 0 when the mouse is not listed
// or a read fails.
int ReadLevel(HidLink& link, const DevicePath& path, int level, LevelSteps& steps);

// Writes steps x and y as base steps and ratios. 0 when the identification
// could not be read (nothing is sent then) or when one of the four writes was
// not taken (the others are sent all the same).
int WriteLevel(HidLink& link, const DevicePath& path, int level, int x, int y);

}  // namespace device
