#include "ui/ProfilePalette.h"

namespace {

constexpr int kLevelStep = kStoredTop / (kPaletteLevels - 1);

}  // namespace

std::array<int, 3> SwatchLevels(int n) {
  return {n % kPaletteLevels, (n / kPaletteLevels) % kPaletteLevels, n / (kPaletteLevels * kPaletteLevels)};
}

ProfileColour SwatchColour(int n) {
  const std::array<int, 3> levels = SwatchLevels(n);
  return {static_cast<std::uint8_t>(levels[0] * kLevelStep), static_cast<std::uint8_t>(levels[1] * kLevelStep),
          static_cast<std::uint8_t>(levels[2] * kLevelStep)};
}

int SwatchOf(const ProfileColour& colour) {
  for (int n = 0; n < kPaletteSwatches; ++n) {
    if (SwatchColour(n) == colour) return n;
  }
  return -1;
}

Rgba StoredColour(const ProfileColour& colour, std::uint8_t alpha) {
  const auto scale = [](std::uint8_t v) {
    return static_cast<std::uint8_t>((v > kStoredTop ? kStoredTop : v) * 255 / kStoredTop);
  };
  return {scale(colour[0]), scale(colour[1]), scale(colour[2]), alpha};
}

std::uint8_t LevelComponent(int level) { return static_cast<std::uint8_t>(level * 255 / (kPaletteLevels - 1)); }
