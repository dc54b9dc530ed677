#include "ui/RegionRects.h"

std::vector<RegionRect> RegionRectsFromPixels(const std::uint32_t* pixels, int width, int height,
                                              std::uint32_t keyColour) {
  std::vector<RegionRect> rects;
  if (pixels == nullptr || width <= 0 || height <= 0) return rects;
  const std::uint32_t key =
      (keyColour & 0xFF00FF00u) | ((keyColour & 0xFFu) << 16) | ((keyColour >> 16) & 0xFFu);
  rects.reserve(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    int x = 0;
    while (x < width) {
      while (x < width && row[x] == key) ++x;
      if (x == width) break;
      const int start = x;
      while (x < width && row[x] != key) ++x;
      rects.push_back(RegionRect{start, y, x, y + 1});
    }
  }
  return rects;
}
