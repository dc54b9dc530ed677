#pragma once
#include <cstdint>
#include <vector>

// One rectangle of a window region, in pixels; right and bottom are exclusive.
struct RegionRect {
  int left;
  int top;
  int right;
  int bottom;
};

inline bool operator==(const RegionRect& a, const RegionRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The outline of a 32-bit image as scan-line runs: every maximal run of
// pixels in a row whose whole 32-bit value differs from the key colour becomes
// one rectangle one row high, rows from top to bottom, runs left to right.
// `pixels` holds `height` rows of `width` values, top row first, each as a
// 32-bit DIB stores it (0xAARRGGBB). `keyColour` is a Windows colour
// reference (0x00BBGGRR); its red and blue are swapped to meet the pixels.
// Negative sizes or a null buffer give no rectangles.
std::vector<RegionRect> RegionRectsFromPixels(const std::uint32_t* pixels, int width, int height,
                                              std::uint32_t keyColour);
