#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/RegionRects.h"

namespace {

constexpr std::uint32_t kClear = 0x00000000u;
constexpr std::uint32_t kInk = 0xFF203040u;

}  // namespace

TEST(RegionRects, OpaqueImageGivesOneFullWidthRectanglePerRow) {
  const std::vector<std::uint32_t> pixels(4 * 3, kInk);
  const std::vector<RegionRect> expected = {{0, 0, 4, 1}, {0, 1, 4, 2}, {0, 2, 4, 3}};
  EXPECT_EQ(RegionRectsFromPixels(pixels.data(), 4, 3, 0), expected);
  EXPECT_EQ(RegionRectsFromPixels(pixels.data(), 1, 1, 0), (std::vector<RegionRect>{{0, 0, 1, 1}}));
}

TEST(RegionRects, RunsEndAtTheRightEdgeAndNeverContinueIntoTheNextRow) {
  // Row 0: opaque only in the last column. Row 1: a run that starts in the
  // last column must not join row 2's run that starts in the first.
  const std::vector<std::uint32_t> pixels = {
      kClear, kClear, kClear, kInk,
      kClear, kInk,   kClear, kInk,
      kInk,   kInk,   kClear, kClear,
  };
  const std::vector<RegionRect> expected = {{3, 0, 4, 1}, {1, 1, 2, 2}, {3, 1, 4, 2}, {0, 2, 2, 3}};
  EXPECT_EQ(RegionRectsFromPixels(pixels.data(), 4, 3, 0), expected);
}

TEST(RegionRects, KeyColourIsAColourReferenceMatchedAgainstTheWholePixel) {
  // Key 0x00BBGGRR = pure red meets the pixel 0x00RRGGBB; red with any alpha
  // is a different value and stays in the region.
  const std::uint32_t red = 0x00FF0000u;
  const std::uint32_t opaqueRed = 0xFFFF0000u;
  const std::uint32_t blue = 0x000000FFu;
  const std::vector<std::uint32_t> pixels = {red, opaqueRed, blue, red};
  const std::vector<RegionRect> expected = {{1, 0, 3, 1}};
  EXPECT_EQ(RegionRectsFromPixels(pixels.data(), 4, 1, 0x000000FFu), expected);
}

TEST(RegionRects, TransparentBlackIsTheOnlyHoleWithKeyZero) {
  // Faint edge pixels (alpha 1) belong to the outline, so antialiased edges
  // are never cut away.
  const std::vector<std::uint32_t> pixels = {0x01000000u, kClear, 0x00000001u};
  const std::vector<RegionRect> expected = {{0, 0, 1, 1}, {2, 0, 3, 1}};
  EXPECT_EQ(RegionRectsFromPixels(pixels.data(), 3, 1, 0), expected);
}

TEST(RegionRects, TransparentEmptyOrMissingPixelsGiveNoRectangles) {
  const std::vector<std::uint32_t> clear(5 * 3, kClear);
  const std::uint32_t ink = kInk;
  EXPECT_TRUE(RegionRectsFromPixels(clear.data(), 5, 3, 0).empty());
  EXPECT_TRUE(RegionRectsFromPixels(clear.data(), 1, 1, 0).empty());
  EXPECT_TRUE(RegionRectsFromPixels(nullptr, 4, 4, 0).empty());
  EXPECT_TRUE(RegionRectsFromPixels(&ink, 0, 1, 0).empty());
  EXPECT_TRUE(RegionRectsFromPixels(&ink, 1, -1, 0).empty());
}
