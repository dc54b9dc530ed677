// A partial paint (an animation frame) must leave exactly the pixels a full
// paint leaves inside its rectangle: the drawing calls it skips never touch it.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <vector>

#include "base/IniFile.h"
#include "support/FullSnapshot.h"
#include "support/win/ProgramResources.h"
#include "ui/PaintPipeline.h"
#include "ui/SkinFonts.h"
#include "ui/SkinImageTable.h"
#include "ui/win/CompositionSurface.h"
#include "ui/win/SkinFontSet.h"
#include "ui/win/SkinImageSet.h"

namespace {

// A screen-sized 32-bit target whose pixels the test reads.
struct Target {
  HDC dc = CreateCompatibleDC(nullptr);
  BYTE* bits = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  Target() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWindowWidth;
    info.bmiHeader.biHeight = -kWindowHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<BYTE*>(pixels);
    previous = SelectObject(dc, bitmap);
  }
  ~Target() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  std::uint32_t At(int x, int y) const {
    return reinterpret_cast<const std::uint32_t*>(bits)[static_cast<size_t>(y) * kWindowWidth + x] & 0xFFFFFF;
  }
};

TEST(PartialPaint, LeavesTheSamePixelsAsAFullPaintInsideItsRectangle) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  {
    const HMODULE module = OpenProgramResources();
    ASSERT_NE(module, nullptr);
    SkinImageSet images;
    ASSERT_GT(images.LoadAll(module), 0);
    SkinFontSet fonts;
    fonts.Build(BuiltInSkinFonts());
    const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
    const UiText texts = LoadUiText(IniFile(), kMacroAreaSize);
    CompositionSurface surface;
    ASSERT_TRUE(surface.Create(images.Get(kWindowBackgroundImage)));
    const RectI whole{0, 0, kWindowWidth, kWindowHeight};
    const auto paint = [&](const PaintSnapshot& snapshot) {
      return [&](Canvas& canvas) { PaintWindow(snapshot, layout, canvas, nullptr); };
    };

    int rectangles = 0;
    for (int page = 0; page < kPageCount; ++page) {
      const PaintSnapshot shown = FullSnapshot(page, texts);
      PaintSnapshot other = FullSnapshot((page + 1) % kPageCount, texts);
      other.busy.counter = 1;
      other.busy.rect = ProgressPanelRect();
      Target full;
      ASSERT_TRUE(surface.Paint(full.dc, whole, images, fonts, paint(shown)));
      // Strips across the window and the rectangles the animations repaint.
      std::vector<RectI> dirty = {HoverPanelRect(), ProgressPanelRect()};
      for (const TabItem& tab : layout.tabs) dirty.push_back(tab.rect);
      for (int y = 0; y < kWindowHeight; y += 37) dirty.push_back({0, y, kWindowWidth, 23});
      for (int x = 0; x < kWindowWidth; x += 53) dirty.push_back({x, 0, 31, kWindowHeight});
      for (const RectI& rect : dirty) {
        Target partial;
        ASSERT_TRUE(surface.Paint(partial.dc, whole, images, fonts, paint(other)));
        ASSERT_TRUE(surface.Paint(partial.dc, rect, images, fonts, paint(shown)));
        GdiFlush();
        int differing = 0;
        for (int y = std::max(rect.y, 0); y < std::min(rect.y + rect.height, kWindowHeight); ++y) {
          for (int x = std::max(rect.x, 0); x < std::min(rect.x + rect.width, kWindowWidth); ++x) {
            if (full.At(x, y) != partial.At(x, y)) ++differing;
          }
        }
        EXPECT_EQ(differing, 0) << "page " << page << ", rectangle at " << rect.x << ", " << rect.y << " ("
                                << rect.width << " x " << rect.height << ")";
        ++rectangles;
      }
    }
    EXPECT_GT(rectangles, 60);
    FreeLibrary(module);
  }
  Gdiplus::GdiplusShutdown(token);
}

}  // namespace
