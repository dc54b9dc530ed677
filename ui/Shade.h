#pragma once
// The skinned controls derive their darker and lighter tones from the colours
// the layout gives them instead of carrying a second set of colours.
#include <cstdint>

#include "ui/Canvas.h"
#include "ui/SkinStyle.h"

// One component moved by `step` away from the nearer end of its range, so a
// light colour gets darker and a dark one lighter: v - step when v >= step,
// else v + step.
uint8_t ShadeComponent(uint8_t value, int step);

RgbColor Shade(const RgbColor& color, int step);

// Each component raised by `amount`, stopping at 255.
RgbColor Lighten(const RgbColor& color, int amount);

// The control colours are always drawn fully opaque.
inline Rgba Opaque(const RgbColor& color) { return Rgba{color.red, color.green, color.blue, 255}; }
