// Time of one full paint of the main window, per page, through the GDI+
// canvas the program paints with: the pristine background copied onto the
// composition surface, every painter of the page, the copy to a window on
// the screen; and of one animation frame, which paints only the rectangle
// that changed. Prints "name: value" lines in milliseconds.
// Usage: paint_bench [PROGRAM]  (the program's images; default ../Vantor3.exe)
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/UiText.h"
#include "base/IniFile.h"
#include "macro/MacroDirectory.h"
#include "support/FullSnapshot.h"
#include "support/win/ProgramResources.h"
#include "ui/PaintPipeline.h"
#include "ui/ProfilePalette.h"
#include "ui/SkinFonts.h"
#include "ui/win/CompositionSurface.h"
#include "ui/win/SkinFontSet.h"
#include "ui/win/SkinImageSet.h"

namespace {

constexpr int kWarmUps = 10;
constexpr int kSamples = 300;

double Percentile(std::vector<double> samples, double share) {
  std::sort(samples.begin(), samples.end());
  const auto rank = static_cast<size_t>(share * static_cast<double>(samples.size()) + 0.999999);
  return samples[std::min(std::max<size_t>(rank, 1), samples.size()) - 1];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring program = argc > 1 ? argv[1] : ProgramBesideThisOne();
  Gdiplus::GdiplusStartupInput startup;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &startup, nullptr) != Gdiplus::Ok) return 1;
  int result = 0;
  {
    HMODULE module = OpenProgramResources(program);
    SkinImageSet images;
    if (module == nullptr || images.LoadAll(module) == 0) {
      std::fprintf(stderr, "no skin images in %ls\n", program.c_str());
      result = 1;
    }
    SkinFontSet fonts;
    fonts.Build(BuiltInSkinFonts());
    const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
    const UiText texts = LoadUiText(IniFile(), kMacroAreaSize);
    CompositionSurface surface;
    HWND window = CreateWindowExW(0, L"STATIC", L"paint bench", WS_POPUP | WS_VISIBLE, 0, 0, kWindowWidth,
                                  kWindowHeight, nullptr, nullptr, nullptr, nullptr);
    HDC screen = window != nullptr ? GetDC(window) : nullptr;
    if (result == 0 && (screen == nullptr || !surface.Create(images.Get(kWindowBackgroundImage)))) {
      std::fprintf(stderr, "no window or composition surface\n");
      result = 1;
    }

    std::vector<double> all;
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    for (int page = 0; page < kPageCount && result == 0; ++page) {
      PaintSnapshot snapshot = FullSnapshot(page, texts);
      std::vector<double> samples;
      for (int i = 0; i < kWarmUps + kSamples; ++i) {
        LARGE_INTEGER start{};
        LARGE_INTEGER end{};
        QueryPerformanceCounter(&start);
        const bool painted = surface.Paint(screen, RectI{0, 0, kWindowWidth, kWindowHeight}, images, fonts,
                                           [&](Canvas& canvas) { PaintWindow(snapshot, layout, canvas, nullptr); });
        GdiFlush();
        QueryPerformanceCounter(&end);
        if (!painted) {
          std::fprintf(stderr, "paint failed\n");
          result = 1;
          break;
        }
        if (i >= kWarmUps) {
          samples.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                            static_cast<double>(frequency.QuadPart));
        }
      }
      if (result != 0) break;
      all.insert(all.end(), samples.begin(), samples.end());
      if (page == 0) {
        // Animation frames, each painting only the rectangle it changed, as
        // the window's paint does: the tab pulse of the function bar, and
        // the palette's fade.
        const RectI tab = layout.tabs[static_cast<size_t>(snapshot.hoverTab)].rect;
        std::vector<double> tabFrames;
        std::vector<double> paletteFrames;
        for (int i = 0; i < 2 * (kWarmUps + kSamples) && result == 0; ++i) {
          const bool pulse = i % 2 == 0;
          snapshot.functionBarAlpha = static_cast<uint8_t>(0x40 + (i * 4) % 0x60);
          snapshot.buttonPage.paletteAlpha = static_cast<uint8_t>((i * 40) % 256);
          LARGE_INTEGER start{};
          LARGE_INTEGER end{};
          QueryPerformanceCounter(&start);
          const bool painted = surface.Paint(screen, pulse ? tab : HoverPanelRect(), images, fonts, [&](Canvas& canvas) {
            PaintWindow(snapshot, layout, canvas, nullptr);
          });
          GdiFlush();
          QueryPerformanceCounter(&end);
          if (!painted) result = 1;
          if (i >= 2 * kWarmUps) {
            (pulse ? tabFrames : paletteFrames)
                .push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                           static_cast<double>(frequency.QuadPart));
          }
        }
        if (result != 0) break;
        std::printf("anim_frame_ms_p50: %.3f\n", Percentile(tabFrames, 0.50));
        std::printf("anim_frame_ms_p99: %.3f\n", Percentile(tabFrames, 0.99));
        std::printf("palette_frame_ms_p50: %.3f\n", Percentile(paletteFrames, 0.50));
        std::printf("palette_frame_ms_p99: %.3f\n", Percentile(paletteFrames, 0.99));
      }
      std::printf("paint_ms_p50_page_%d: %.3f\n", page, Percentile(samples, 0.50));
      std::printf("paint_ms_p99_page_%d: %.3f\n", page, Percentile(samples, 0.99));
    }
    if (result == 0) {
      std::printf("paint_ms_p50: %.3f\n", Percentile(all, 0.50));
      std::printf("paint_ms_p99: %.3f\n", Percentile(all, 0.99));
    }
    if (screen != nullptr) ReleaseDC(window, screen);
    if (window != nullptr) DestroyWindow(window);
    if (module != nullptr) FreeLibrary(module);
  }
  Gdiplus::GdiplusShutdown(token);
  return result;
}
