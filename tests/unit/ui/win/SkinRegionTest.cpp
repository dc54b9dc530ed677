#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "ui/win/SkinRegion.h"

namespace {

// A bottom-up DIB section (the usual layout) of the given depth.
HBITMAP MakeBitmap(int width, int height, int bits, void** pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bits);
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0);
}

}  // namespace

TEST(SkinRegion, KeepsTheImagesTopRowOnTopWhateverTheBitmapsRowOrder) {
  void* bits = nullptr;
  HBITMAP bitmap = MakeBitmap(3, 2, 32, &bits);
  ASSERT_NE(bitmap, nullptr);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  // Bottom-up: the second row in memory is the image's top row.
  pixels[0] = pixels[1] = pixels[2] = 0;
  pixels[3] = 0xFF102030u;
  pixels[4] = pixels[5] = 0;
  SIZE size{};
  HRGN region = RegionFromBitmap(bitmap, 0, &size);
  DeleteObject(bitmap);
  ASSERT_NE(region, nullptr);
  EXPECT_EQ(size.cx, 3);
  EXPECT_EQ(size.cy, 2);
  EXPECT_TRUE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 0, 1));
  EXPECT_FALSE(PtInRegion(region, 1, 0));
  DeleteObject(region);
}

TEST(SkinRegion, TwentyFourBitBitmapsAreCutByColourAlone) {
  void* bits = nullptr;
  HBITMAP bitmap = MakeBitmap(2, 1, 24, &bits);
  ASSERT_NE(bitmap, nullptr);
  auto* bytes = static_cast<std::uint8_t*>(bits);
  const std::uint8_t row[6] = {0x00, 0x00, 0xFF, 0x40, 0x80, 0xC0};  // pure red, then grey-blue (BGR)
  std::copy(row, row + 6, bytes);
  HRGN region = RegionFromBitmap(bitmap, RGB(255, 0, 0), nullptr);
  DeleteObject(bitmap);
  ASSERT_NE(region, nullptr);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_TRUE(PtInRegion(region, 1, 0));
  DeleteObject(region);
}

TEST(SkinRegion, UnreadableBitmapGivesNoRegion) {
  SIZE size{7, 7};
  EXPECT_EQ(RegionFromBitmap(nullptr, 0, &size), nullptr);
}
