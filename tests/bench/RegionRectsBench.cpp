#include <chrono>
#include <cstdint>
#include <vector>

#include "Bench.h"
#include "ui/RegionRects.h"

// Microseconds to turn a window-sized image with rounded corners into its
// region runs: the work done when the main window takes its shape.
VANTOR_FIGURE(region_rects_window_802x614_us) {
  const int width = 802, height = 614, radius = 18;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0xFF1E2229u);
  for (int y = 0; y < radius; ++y) {
    for (int x = 0; x < radius; ++x) {
      const int dx = radius - x, dy = radius - y;
      if (dx * dx + dy * dy > radius * radius) {
        for (int row : {y, height - 1 - y}) {
          pixels[static_cast<std::size_t>(row) * width + x] = 0;
          pixels[static_cast<std::size_t>(row) * width + (width - 1 - x)] = 0;
        }
      }
    }
  }
  const int rounds = 200;
  std::size_t total = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) total += RegionRectsFromPixels(pixels.data(), width, height, 0).size();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  if (total != static_cast<std::size_t>(rounds) * height) return -1;
  return std::chrono::duration<double, std::micro>(elapsed).count() / rounds;
}
