#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/RegionRects.h"

namespace {

constexpr std::uint32_t kClear = 0x00000000u;
constexpr std::uint32_t kInk = 0xFF203040u;

}  // namespace

// Runs end at the right edge and never continue into the next row; the key
// 0x00BBGGRR (pure red here) meets the whole pixel 0x00RRGGBB, so red with any
// alpha stays; with key 0 only transparent black is a hole, so faint
// antialiased edges (alpha 1) stay in the outline.
TEST(RegionRects, CoverEveryOpaqueRunOfARowAndLeaveOutOnlyTheKeyColour) {
  const struct Case {
    std::vector<std::uint32_t> pixels;
    int width, height;
    std::uint32_t key;
    std::vector<RegionRect> rects;
  } cases[] = {
      {std::vector<std::uint32_t>(12, kInk), 4, 3, 0, {{0, 0, 4, 1}, {0, 1, 4, 2}, {0, 2, 4, 3}}},
      {{kClear, kClear, kClear, kInk, kClear, kInk, kClear, kInk, kInk, kInk, kClear, kClear},
       4, 3, 0, {{3, 0, 4, 1}, {1, 1, 2, 2}, {3, 1, 4, 2}, {0, 2, 2, 3}}},
      {{0x00FF0000u, 0xFFFF0000u, 0x000000FFu, 0x00FF0000u}, 4, 1, 0x000000FFu, {{1, 0, 3, 1}}},
      {{0x01000000u, kClear, 0x00000001u}, 3, 1, 0, {{0, 0, 1, 1}, {2, 0, 3, 1}}},
      {std::vector<std::uint32_t>(15, kClear), 5, 3, 0, {}},
      {{kInk}, 0, 1, 0, {}},
      {{kInk}, 1, -1, 0, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(RegionRectsFromPixels(c.pixels.data(), c.width, c.height, c.key), c.rects);
  EXPECT_TRUE(RegionRectsFromPixels(nullptr, 4, 4, 0).empty());
}
