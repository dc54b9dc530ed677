#pragma once
// The colour of a software profile and the palette it is picked from: 27
// swatches, three levels of red, green and blue (their places are in
// ui/SkinLayout). A stored component runs 0 to 8; a palette level 0 to 2 is
// stored as four times the level.
#include <array>
#include <cstdint>

#include "ui/Canvas.h"

inline constexpr int kPaletteLevels = 3;
inline constexpr int kPaletteSwatches = kPaletteLevels * kPaletteLevels * kPaletteLevels;
inline constexpr int kStoredTop = 8;

// Red, green and blue of a profile as stored, each 0 to 8.
using ProfileColour = std::array<std::uint8_t, 3>;

// Red runs fastest, then green, then blue (which is the row).
std::array<int, 3> SwatchLevels(int n);
// What a click on swatch `n` stores.
ProfileColour SwatchColour(int n);
// The swatch that shows a stored colour, or -1 when it is no palette colour.
int SwatchOf(const ProfileColour& colour);

// A stored colour on screen: each component scaled by 255 / 8.
Rgba StoredColour(const ProfileColour& colour, std::uint8_t alpha = 255);
// A palette level on screen: level x 255 / 2.
std::uint8_t LevelComponent(int level);
