#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>

#include "support/win/ProgramResources.h"
#include "ui/SkinImageTable.h"
#include "ui/win/SkinImage.h"
#include "ui/win/SkinImageSet.h"
#include "ui/win/SkinRegion.h"
#include "ui/win/TextResource.h"

namespace {

// The program's resources, read from the built program beside the tests
// (build/windows/Vantor3.exe) without running it.
class SkinResources : public ::testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    module = OpenProgramResources();
  }
  void TearDown() override {
    if (module != nullptr) FreeLibrary(module);
    Gdiplus::GdiplusShutdown(token);
  }

  ULONG_PTR token = 0;
  HMODULE module = nullptr;
};

}  // namespace

TEST_F(SkinResources, MissingIdsGiveNothingAndNoMessage) {
  // The test program carries no resources of these kinds at all.
  EXPECT_FALSE(LoadSkinImage(132));
  EXPECT_FALSE(LoadTextResource(217, L"TXT").has_value());
  if (module == nullptr) GTEST_SKIP() << "Vantor3.exe not built";
  EXPECT_FALSE(LoadSkinImage(9999, L"PNG", module));
  EXPECT_FALSE(LoadSkinImage(217, L"PNG", module)) << "a text is not an image";
  EXPECT_EQ(RegionFromSkinImage(nullptr, nullptr), nullptr);
  EXPECT_FALSE(LoadTextResource(9999, L"TXT", module).has_value());
}

TEST_F(SkinResources, ProgramCarriesEverySkinImageDecodedAsArgbAtItsSize) {
  if (module == nullptr) GTEST_SKIP() << "Vantor3.exe not built";
  SkinImageSet set;
  EXPECT_EQ(set.LoadAll(module), int(kSkinImageCount));
  EXPECT_EQ(set.LoadedCount(), int(kSkinImageCount));
  for (const SkinImageEntry& entry : kSkinImages) {
    SCOPED_TRACE("image " + std::to_string(entry.id));
    Gdiplus::Bitmap* image = set.Get(entry.id);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(int(image->GetWidth()), entry.width);
    EXPECT_EQ(int(image->GetHeight()), entry.height);
    EXPECT_EQ(image->GetPixelFormat(), PixelFormat32bppARGB);
  }
  EXPECT_EQ(set.Get(140), nullptr) << "an id the skin does not use";
  EXPECT_EQ(SkinImageSet().Get(132), nullptr);
}

TEST_F(SkinResources, BackgroundRegionIsTheRoundedWindow) {
  if (module == nullptr) GTEST_SKIP() << "Vantor3.exe not built";
  SkinImage background = LoadSkinImage(132, L"PNG", module);
  ASSERT_TRUE(background);
  SIZE size{};
  HRGN region = RegionFromSkinImage(background.Get(), &size);
  ASSERT_NE(region, nullptr);
  EXPECT_EQ(size.cx, 802);
  EXPECT_EQ(size.cy, 614);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 801, 613));
  EXPECT_TRUE(PtInRegion(region, 0, 307));
  EXPECT_TRUE(PtInRegion(region, 801, 307));
  EXPECT_TRUE(PtInRegion(region, 401, 0));
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right, 802);
  EXPECT_EQ(box.bottom, 614);
  DeleteObject(region);
}

TEST_F(SkinResources, ProgramCarriesKeyTableIconSizesAndCursorsWithTheirHotspots) {
  if (module == nullptr) GTEST_SKIP() << "Vantor3.exe not built";
  const auto table = LoadTextResource(217, L"TXT", module);
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ(table->substr(0, 10), u"0 0\r\n4 30\r");
  EXPECT_NE(table->find(u"\r\n70 57399\r\n"), std::u16string::npos);
  for (int size : {16, 32, 48}) {
    HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(128), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  const struct {
    int id;
    DWORD hotspotX, hotspotY;
  } cursors[] = {{107, 12, 2}, {108, 1, 1}, {109, 1, 1}, {110, 16, 16}, {246, 1, 1}};
  for (const auto& expected : cursors) {
    SCOPED_TRACE("cursor " + std::to_string(expected.id));
    HCURSOR cursor = static_cast<HCURSOR>(LoadImageW(module, MAKEINTRESOURCEW(expected.id), IMAGE_CURSOR, 32, 32, 0));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, expected.hotspotX);
    EXPECT_EQ(info.yHotspot, expected.hotspotY);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
  }
}
