#pragma once
// The canvas on a GDI+ surface: the main window's composition surface, a
// control's off-screen bitmap or a list item's device context. Images come
// from the skin image set and fonts from the skin font set, both by index.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <limits>
#include <vector>

#include "ui/Canvas.h"
#include "ui/win/SkinFontSet.h"
#include "ui/win/SkinImageSet.h"

class GdiPlusCanvas : public Canvas {
 public:
  // Sets `graphics` to antialiased shapes on whole-pixel edges; the caller
  // keeps `graphics`, `images` and `fonts` alive while the canvas draws.
  GdiPlusCanvas(Gdiplus::Graphics& graphics, const SkinImageSet& images, const SkinFontSet& fonts);

  void DrawImage(int imageId, int x, int y) override;
  void DrawImageScaled(int imageId, const RectI& target, uint8_t alpha) override;
  void DrawImagePart(int imageId, const RectI& source, int x, int y) override;

  void FillRect(const RectI& rect, const Rgba& color) override;
  void FillRoundRect(const RectI& rect, int cornerRadius, const Rgba& color) override;
  void FillEllipse(const RectI& rect, const Rgba& color) override;
  void FillPolygon(const std::vector<PointF>& points, const Rgba& color) override;
  void DrawRect(const RectI& rect, const PenStyle& pen) override;
  void DrawLine(PointF from, PointF to, const PenStyle& pen) override;
  void DrawPolyline(const std::vector<PointF>& points, const PenStyle& pen) override;

  void DrawText(const std::u16string& text, const RectI& layout, const TextStyle& style) override;
  SizeF MeasureText(const std::u16string& text, int font) override;

  void PushClip(const RectI& rect, int cornerRadius) override;
  void PopClip() override;

  // Only `rect` of the target is being painted: calls that miss it are skipped.
  void LimitTo(const RectI& rect) { visible = rect; }

 private:
  Gdiplus::Graphics& graphics;
  const SkinImageSet& images;
  const SkinFontSet& fonts;
  std::vector<Gdiplus::GraphicsState> clips;
  RectI visible{0, 0, std::numeric_limits<int>::max() / 2, std::numeric_limits<int>::max() / 2};
};

// A closed path of `rect` with corners rounded by `cornerRadius` (square
// corners when it is 0 or less).
void AddRoundRect(Gdiplus::GraphicsPath& path, const RectI& rect, int cornerRadius);
