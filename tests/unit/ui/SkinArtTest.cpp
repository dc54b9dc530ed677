#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "PngPixels.h"
#include "ui/MouseButtonSpots.h"
#include "ui/RegionRects.h"
#include "ui/SkinLayout.h"
#include "ui/SkinImageTable.h"

namespace {

const std::string kRes = std::string(VANTOR_SOURCE_DIR) + "/res/";

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

PngPixels LoadImage(int id) {
  PngPixels png;
  EXPECT_TRUE(ReadPng(kRes + "png/" + std::to_string(id) + ".png", png)) << "image " << id;
  return png;
}

// Fully transparent black: the only pixel value the window region leaves out.
bool IsHole(const PngPixels& png, int x, int y) { return png.Rgba(x, y) == 0; }

}  // namespace

TEST(SkinArt, EveryImageHasItsExactSizeAndTheOutlineItsPainterExpects) {
  for (const SkinImageEntry& entry : kSkinImages) {
    SCOPED_TRACE("image " + std::to_string(entry.id) + " (" + entry.use + ")");
    const PngPixels png = LoadImage(entry.id);
    ASSERT_EQ(png.width, entry.width);
    ASSERT_EQ(png.height, entry.height);
    const int right = png.width - 1;
    const int bottom = png.height - 1;
    EXPECT_GT(png.Alpha(png.width / 2, png.height / 2), 0) << "the middle belongs to the outline";
    switch (entry.outline) {
      case SkinOutline::Corners:
        EXPECT_TRUE(IsHole(png, 0, 0) && IsHole(png, right, 0) && IsHole(png, 0, bottom) &&
                    IsHole(png, right, bottom));
        break;
      case SkinOutline::TopCorners:
        EXPECT_TRUE(IsHole(png, 0, 0) && IsHole(png, right, 0));
        EXPECT_EQ(png.Alpha(0, bottom), 255);
        EXPECT_EQ(png.Alpha(right, bottom), 255);
        break;
      case SkinOutline::Opaque:
        for (int y = 0; y < png.height; ++y) {
          for (int x = 0; x < png.width; ++x) ASSERT_EQ(png.Alpha(x, y), 255) << x << "," << y;
        }
        break;
    }
  }
}

TEST(SkinArt, WindowBackgroundCutsARoundedWindowWithFullMiddleRows) {
  const PngPixels png = LoadImage(132);
  ASSERT_EQ(png.width, 802);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < png.height; ++y) {
    for (int x = 0; x < png.width; ++x) {
      // As a 32-bit DIB made over transparent black stores it.
      const std::uint32_t rgba = png.Rgba(x, y);
      pixels.push_back((rgba << 24) | (rgba >> 8));
    }
  }
  const std::vector<RegionRect> rects = RegionRectsFromPixels(pixels.data(), png.width, png.height, 0);
  ASSERT_EQ(rects.size(), std::size_t(png.height)) << "one run per row: no holes inside the window";
  EXPECT_GT(rects.front().left, 4);
  EXPECT_LT(rects.front().right, 798);
  EXPECT_GT(rects.back().left, 4);
  const RegionRect middle = rects[rects.size() / 2];
  EXPECT_EQ(middle.left, 0);
  EXPECT_EQ(middle.right, 802);
}

TEST(SkinArt, EveryButtonMarkerSitsOnItsButtonOfTheMouseClearOfTheOthers) {
  const PngPixels top = LoadImage(182);
  const PlacedImage mouse = PageFixedPartsOf(0).pictures.at(0);
  ASSERT_EQ(mouse.imageId, 182);
  for (int b = 0; b < kMouseButtons; ++b) {
    SCOPED_TRACE("button " + std::to_string(b));
    const RectI marker = MarkerRect(b);
    const ImagePoint spot = kTopViewButtonSpots[b];
    EXPECT_EQ(top.Alpha(spot.x, spot.y), 255) << "on the mouse";
    EXPECT_TRUE(marker.x >= mouse.x && marker.y >= mouse.y && marker.x + marker.width <= mouse.x + top.width &&
                marker.y + marker.height <= mouse.y + top.height);
    for (int other = b + 1; other < kMouseButtons; ++other) {
      const RectI next = MarkerRect(other);
      EXPECT_FALSE(marker.x < next.x + next.width && next.x < marker.x + marker.width &&
                   marker.y < next.y + next.height && next.y < marker.y + marker.height)
          << "covers button " << other;
    }
  }
}

TEST(SkinArt, KeyTableIsUtf16WithByteOrderMarkAndOneUsageScanPairPerLine) {
  const std::vector<std::uint8_t> bytes = ReadBytes(kRes + "keytable217.txt");
  ASSERT_GE(bytes.size(), 2u);
  ASSERT_EQ(bytes.size() % 2, 0u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  std::string ascii;
  for (std::size_t i = 2; i < bytes.size(); i += 2) {
    ASSERT_EQ(bytes[i + 1], 0) << "only digits, blanks and line ends";
    ascii.push_back(static_cast<char>(bytes[i]));
  }
  std::map<int, int> table;
  std::istringstream lines(ascii);
  std::string line;
  while (std::getline(lines, line)) {
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\r') << "Windows line ends";
    std::istringstream words(line);
    int usage = -1, scan = -1;
    ASSERT_TRUE(words >> usage >> scan) << line;
    EXPECT_TRUE(usage >= 0 && usage <= 255);
    EXPECT_TRUE(table.emplace(usage, scan).second) << "usage " << usage << " twice";
  }
  EXPECT_EQ(table.size(), 108u);  // 0, 4 to 101, 224 to 231, 255
  EXPECT_EQ(table[70], 0xE037);  // Print Screen, extended
  EXPECT_EQ(table[72], 0xC5);    // Pause
  EXPECT_EQ(table.count(102), 0u);
}
