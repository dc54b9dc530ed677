#include "ui/win/CompositionSurface.h"

#include <algorithm>
#include <cstring>

#include "ui/win/GdiPlusCanvas.h"

namespace {

constexpr int kBytesPerPixel = 4;

// A memory context with `bitmap` selected, released in pairs by ~Selected.
class Selected {
 public:
  Selected(HDC reference, HBITMAP bitmap) : dc(CreateCompatibleDC(reference)) {
    if (dc != nullptr) previous = SelectObject(dc, bitmap);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  ~Selected() {
    if (dc == nullptr) return;
    if (previous != nullptr) SelectObject(dc, previous);
    DeleteDC(dc);
  }
  HDC Dc() const { return previous != nullptr ? dc : nullptr; }

 private:
  HDC dc;
  HGDIOBJ previous = nullptr;
};

}  // namespace

CompositionSurface::~CompositionSurface() { Release(); }

void CompositionSurface::Release() {
  for (Pixels* pixels : {&surface, &pristine}) {
    if (pixels->bitmap != nullptr) DeleteObject(pixels->bitmap);
    *pixels = Pixels{};
  }
  width = 0;
  height = 0;
}

CompositionSurface::Pixels CompositionSurface::MakePixels() const {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  Pixels pixels;
  void* bits = nullptr;
  pixels.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  pixels.bits = static_cast<BYTE*>(bits);
  return pixels;
}

bool CompositionSurface::Create(Gdiplus::Bitmap* background) {
  Release();
  if (background == nullptr) return false;
  width = static_cast<int>(background->GetWidth());
  height = static_cast<int>(background->GetHeight());
  surface = MakePixels();
  pristine = MakePixels();
  if (width <= 0 || height <= 0 || surface.bits == nullptr || pristine.bits == nullptr) {
    Release();
    return false;
  }
  // GDI+ draws straight on the pixels: no device context between them.
  Gdiplus::Bitmap target(width, height, width * kBytesPerPixel, PixelFormat32bppRGB, pristine.bits);
  Gdiplus::Graphics graphics(&target);
  if (graphics.Clear(Gdiplus::Color(255, 0, 0, 0)) != Gdiplus::Ok ||
      graphics.DrawImage(background, 0, 0, width, height) != Gdiplus::Ok) {
    Release();
    return false;
  }
  return true;
}

bool CompositionSurface::Paint(HDC target, const RectI& dirty, const SkinImageSet& images, const SkinFontSet& fonts,
                               const std::function<void(Canvas&)>& paint) {
  if (surface.bits == nullptr) return false;
  const int left = std::max(dirty.x, 0);
  const int top = std::max(dirty.y, 0);
  const int right = std::min(dirty.x + dirty.width, width);
  const int bottom = std::min(dirty.y + dirty.height, height);
  if (left >= right || top >= bottom) return true;
  // The last paint's copy to the screen may still be queued.
  GdiFlush();
  const size_t stride = static_cast<size_t>(width) * kBytesPerPixel;
  const size_t rowStart = static_cast<size_t>(left) * kBytesPerPixel;
  const size_t rowBytes = static_cast<size_t>(right - left) * kBytesPerPixel;
  for (int y = top; y < bottom; ++y) {
    const size_t at = static_cast<size_t>(y) * stride + rowStart;
    std::memcpy(surface.bits + at, pristine.bits + at, rowBytes);
  }
  {
    Gdiplus::Bitmap pixels(width, height, width * kBytesPerPixel, PixelFormat32bppRGB, surface.bits);
    Gdiplus::Graphics graphics(&pixels);
    if (graphics.GetLastStatus() != Gdiplus::Ok) return false;
    graphics.SetClip(Gdiplus::Rect(left, top, right - left, bottom - top));
    GdiPlusCanvas canvas(graphics, images, fonts);
    canvas.LimitTo({left, top, right - left, bottom - top});
    paint(canvas);
  }
  const Selected composed(target, surface.bitmap);
  return composed.Dc() != nullptr &&
         BitBlt(target, left, top, right - left, bottom - top, composed.Dc(), left, top, SRCCOPY) != FALSE;
}
