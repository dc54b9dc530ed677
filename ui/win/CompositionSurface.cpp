#include "ui/win/CompositionSurface.h"

#include "ui/win/GdiPlusCanvas.h"

namespace {

HBITMAP Opaque32(Gdiplus::Bitmap& image) {
  HBITMAP bitmap = nullptr;
  if (image.GetHBITMAP(Gdiplus::Color(0, 0, 0, 0), &bitmap) != Gdiplus::Ok) return nullptr;
  return bitmap;
}

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
  if (surface != nullptr) DeleteObject(surface);
  if (pristine != nullptr) DeleteObject(pristine);
  surface = nullptr;
  pristine = nullptr;
  width = 0;
  height = 0;
}

bool CompositionSurface::Create(Gdiplus::Bitmap* background) {
  Release();
  if (background == nullptr) return false;
  surface = Opaque32(*background);
  pristine = Opaque32(*background);
  if (surface == nullptr || pristine == nullptr) {
    Release();
    return false;
  }
  width = static_cast<int>(background->GetWidth());
  height = static_cast<int>(background->GetHeight());
  return true;
}

bool CompositionSurface::Paint(HDC target, const SkinImageSet& images, const SkinFontSet& fonts,
                               const std::function<void(Canvas&)>& paint) {
  if (surface == nullptr) return false;
  const Selected composed(target, surface);
  if (composed.Dc() == nullptr) return false;
  {
    const Selected source(target, pristine);
    if (source.Dc() == nullptr || !BitBlt(composed.Dc(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY)) {
      return false;
    }
  }
  {
    Gdiplus::Graphics graphics(composed.Dc());
    if (graphics.GetLastStatus() != Gdiplus::Ok) return false;
    GdiPlusCanvas canvas(graphics, images, fonts);
    paint(canvas);
  }
  return BitBlt(target, 0, 0, width, height, composed.Dc(), 0, 0, SRCCOPY) != FALSE;
}
