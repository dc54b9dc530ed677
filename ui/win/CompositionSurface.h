#pragma once
// The main window's back buffer. Every paint rebuilds it from a pristine copy
// of the background, lets the painters draw on it and copies it to the window
// in one step, so no painter ever erases and the screen never shows a
// half-drawn window.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <functional>

#include "ui/Canvas.h"
#include "ui/win/SkinFontSet.h"
#include "ui/win/SkinImageSet.h"

class CompositionSurface {
 public:
  CompositionSurface() = default;
  CompositionSurface(const CompositionSurface&) = delete;
  CompositionSurface& operator=(const CompositionSurface&) = delete;
  ~CompositionSurface();

  // Makes the surface and its pristine copy from `background`, both 32-bit
  // over black. False when the image is missing or the system refuses a
  // bitmap; the window then paints nothing of its own.
  bool Create(Gdiplus::Bitmap* background);

  int Width() const { return width; }
  int Height() const { return height; }

  // Copies the pristine background over `dirty` of the surface, runs
  // `paint` on it with a GDI+ canvas clipped to `dirty` and copies that part
  // to `target` at the same place, within the target's clip region. An
  // animation frame thus costs its own rectangle, not the window. False when
  // a step failed.
  bool Paint(HDC target, const RectI& dirty, const SkinImageSet& images, const SkinFontSet& fonts,
             const std::function<void(Canvas&)>& paint);

 private:
  // A 32-bit top-down bitmap whose pixels GDI+ can draw on directly.
  struct Pixels {
    HBITMAP bitmap = nullptr;
    BYTE* bits = nullptr;
  };
  Pixels MakePixels() const;
  void Release();

  Pixels surface;
  Pixels pristine;
  int width = 0;
  int height = 0;
};
