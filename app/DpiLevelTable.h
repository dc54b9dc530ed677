#pragma once
// The four DPI levels as the window holds them: X and Y steps of each.
#include <array>

struct DpiSteps {
  int x = 0;
  int y = 0;
  bool operator==(const DpiSteps& other) const { return x == other.x && y == other.y; }
};

using DpiLevelTable = std::array<DpiSteps, 4>;
