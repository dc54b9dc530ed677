#include "ui/Shade.h"

#include <algorithm>

uint8_t ShadeComponent(uint8_t value, int step) {
  const int shaded = value >= step ? value - step : value + step;
  return static_cast<uint8_t>(std::clamp(shaded, 0, 255));
}

RgbColor Shade(const RgbColor& color, int step) {
  return RgbColor{ShadeComponent(color.red, step), ShadeComponent(color.green, step), ShadeComponent(color.blue, step)};
}

RgbColor Lighten(const RgbColor& color, int amount) {
  const auto raise = [amount](uint8_t value) { return static_cast<uint8_t>(std::min(value + amount, 255)); };
  return RgbColor{raise(color.red), raise(color.green), raise(color.blue)};
}
