#include "ui/win/GdiPlusCanvas.h"

#include <algorithm>
#include <memory>

#include "ui/PaintBounds.h"

namespace {

Gdiplus::Color ToColor(const Rgba& color) { return Gdiplus::Color(color.alpha, color.red, color.green, color.blue); }

Gdiplus::Rect ToRect(const RectI& rect) { return Gdiplus::Rect(rect.x, rect.y, rect.width, rect.height); }

std::vector<Gdiplus::PointF> ToPoints(const std::vector<PointF>& points) {
  std::vector<Gdiplus::PointF> converted;
  converted.reserve(points.size());
  for (const PointF& point : points) converted.emplace_back(point.x, point.y);
  return converted;
}

std::unique_ptr<Gdiplus::Pen> MakePen(const PenStyle& style) {
  auto pen = std::make_unique<Gdiplus::Pen>(ToColor(style.color), style.width);
  pen->SetStartCap(static_cast<Gdiplus::LineCap>(style.startCap));
  pen->SetEndCap(static_cast<Gdiplus::LineCap>(style.endCap));
  if (style.dashed) pen->SetDashStyle(Gdiplus::DashStyleDash);
  return pen;
}

Gdiplus::StringAlignment ToAlignment(TextAlign align) {
  switch (align) {
    case TextAlign::Center:
      return Gdiplus::StringAlignmentCenter;
    case TextAlign::Far:
      return Gdiplus::StringAlignmentFar;
    case TextAlign::Near:
      break;
  }
  return Gdiplus::StringAlignmentNear;
}

const WCHAR* Wide(const std::u16string& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }

// Texts break lines with CR LF; Wine's GDI+ draws the CR as a missing glyph
// where Windows' skips it, so only the LF is handed over.
std::u16string LineBreaksAsLf(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

void AddRoundRect(Gdiplus::GraphicsPath& path, const RectI& rect, int cornerRadius) {
  const int diameter = std::min({2 * cornerRadius, rect.width, rect.height});
  if (diameter <= 0) {
    path.AddRectangle(ToRect(rect));
    return;
  }
  const int right = rect.x + rect.width - diameter;
  const int bottom = rect.y + rect.height - diameter;
  path.AddArc(rect.x, rect.y, diameter, diameter, 180, 90);
  path.AddArc(right, rect.y, diameter, diameter, 270, 90);
  path.AddArc(right, bottom, diameter, diameter, 0, 90);
  path.AddArc(rect.x, bottom, diameter, diameter, 90, 90);
  path.CloseFigure();
}

GdiPlusCanvas::GdiPlusCanvas(Gdiplus::Graphics& target, const SkinImageSet& imageSet, const SkinFontSet& fontSet)
    : graphics(target), images(imageSet), fonts(fontSet) {
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  // Whole-pixel rectangles then cover whole pixels instead of half of each edge.
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
}

void GdiPlusCanvas::DrawImage(int imageId, int x, int y) {
  Gdiplus::Bitmap* image = images.Get(imageId);
  if (image == nullptr) return;
  // An explicit size: GDI+ would otherwise scale by the file's resolution.
  const int width = static_cast<int>(image->GetWidth());
  const int height = static_cast<int>(image->GetHeight());
  if (!Touches(visible, {x, y, width, height})) return;
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  graphics.DrawImage(image, Gdiplus::Rect(x, y, width, height), 0, 0, width, height, Gdiplus::UnitPixel);
}

void GdiPlusCanvas::DrawImageScaled(int imageId, const RectI& target, uint8_t alpha) {
  Gdiplus::Bitmap* image = images.Get(imageId);
  if (image == nullptr || alpha == 0 || !Touches(visible, target)) return;
  Gdiplus::ImageAttributes attributes;
  // Mirrored tiling keeps the edge pixels from blending with transparency.
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  if (alpha != 255) {
    Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0},
                                    {0, 1, 0, 0, 0},
                                    {0, 0, 1, 0, 0},
                                    {0, 0, 0, static_cast<Gdiplus::REAL>(alpha) / 255.0f, 0},
                                    {0, 0, 0, 0, 1}}};
    attributes.SetColorMatrix(&matrix);
  }
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
  graphics.DrawImage(image, ToRect(target), 0, 0, static_cast<INT>(image->GetWidth()),
                     static_cast<INT>(image->GetHeight()), Gdiplus::UnitPixel, &attributes);
}

void GdiPlusCanvas::DrawImagePart(int imageId, const RectI& source, int x, int y) {
  Gdiplus::Bitmap* image = images.Get(imageId);
  if (image == nullptr || !Touches(visible, {x, y, source.width, source.height})) return;
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  graphics.DrawImage(image, Gdiplus::Rect(x, y, source.width, source.height), source.x, source.y, source.width,
                     source.height, Gdiplus::UnitPixel);
}

void GdiPlusCanvas::FillRect(const RectI& rect, const Rgba& color) {
  if (!Touches(visible, rect)) return;
  Gdiplus::SolidBrush brush(ToColor(color));
  graphics.FillRectangle(&brush, ToRect(rect));
}

void GdiPlusCanvas::FillRoundRect(const RectI& rect, int cornerRadius, const Rgba& color) {
  if (!Touches(visible, rect)) return;
  Gdiplus::GraphicsPath path;
  AddRoundRect(path, rect, cornerRadius);
  Gdiplus::SolidBrush brush(ToColor(color));
  graphics.FillPath(&brush, &path);
}

void GdiPlusCanvas::FillEllipse(const RectI& rect, const Rgba& color) {
  if (!Touches(visible, rect)) return;
  Gdiplus::SolidBrush brush(ToColor(color));
  graphics.FillEllipse(&brush, ToRect(rect));
}

void GdiPlusCanvas::FillPolygon(const std::vector<PointF>& points, const Rgba& color) {
  if (points.size() < 3 || !Touches(visible, BoundsOf(points))) return;
  const std::vector<Gdiplus::PointF> converted = ToPoints(points);
  Gdiplus::SolidBrush brush(ToColor(color));
  graphics.FillPolygon(&brush, converted.data(), static_cast<INT>(converted.size()));
}

void GdiPlusCanvas::DrawRect(const RectI& rect, const PenStyle& pen) {
  if (!Touches(visible, rect, pen.width)) return;
  graphics.DrawRectangle(MakePen(pen).get(), ToRect(rect));
}

void GdiPlusCanvas::DrawLine(PointF from, PointF to, const PenStyle& pen) {
  // Arrow caps reach a few pen widths past the ends.
  if (!Touches(visible, BoundsOf({from, to}), pen.width * 6)) return;
  graphics.DrawLine(MakePen(pen).get(), from.x, from.y, to.x, to.y);
}

void GdiPlusCanvas::DrawPolyline(const std::vector<PointF>& points, const PenStyle& pen) {
  if (points.size() < 2 || !Touches(visible, BoundsOf(points), pen.width * 6)) return;
  const std::vector<Gdiplus::PointF> converted = ToPoints(points);
  graphics.DrawLines(MakePen(pen).get(), converted.data(), static_cast<INT>(converted.size()));
}

void GdiPlusCanvas::DrawText(const std::u16string& original, const RectI& layout, const TextStyle& style) {
  const Gdiplus::Font* font = fonts.Get(style.font);
  if (font == nullptr || original.empty()) return;
  const std::u16string text = LineBreaksAsLf(original);
  if (!TextMayTouch(visible, text, layout, style, font->GetHeight(&graphics))) return;
  Gdiplus::StringFormat format;
  format.SetAlignment(ToAlignment(style.horizontal));
  format.SetLineAlignment(ToAlignment(style.vertical));
  Gdiplus::SolidBrush brush(ToColor(style.color));
  const Gdiplus::TextRenderingHint previous = graphics.GetTextRenderingHint();
  graphics.SetTextRenderingHint(style.hint == TextHint::ClearTypeGridFit ? Gdiplus::TextRenderingHintClearTypeGridFit
                                                                         : Gdiplus::TextRenderingHintSystemDefault);
  const INT length = static_cast<INT>(text.size());
  if (layout.width == 0 && layout.height == 0) {
    graphics.DrawString(Wide(text), length, font,
                        Gdiplus::PointF(static_cast<Gdiplus::REAL>(layout.x), static_cast<Gdiplus::REAL>(layout.y)),
                        &format, &brush);
  } else {
    const Gdiplus::RectF box(static_cast<Gdiplus::REAL>(layout.x), static_cast<Gdiplus::REAL>(layout.y),
                             static_cast<Gdiplus::REAL>(layout.width), static_cast<Gdiplus::REAL>(layout.height));
    graphics.DrawString(Wide(text), length, font, box, &format, &brush);
  }
  graphics.SetTextRenderingHint(previous);
}

SizeF GdiPlusCanvas::MeasureText(const std::u16string& original, int font) {
  const Gdiplus::Font* skinFont = fonts.Get(font);
  if (skinFont == nullptr || original.empty()) return SizeF{};
  const std::u16string text = LineBreaksAsLf(original);
  Gdiplus::RectF bounds;
  if (graphics.MeasureString(Wide(text), static_cast<INT>(text.size()), skinFont, Gdiplus::PointF(0, 0), &bounds) !=
      Gdiplus::Ok) {
    return SizeF{};
  }
  return SizeF{bounds.Width, bounds.Height};
}

void GdiPlusCanvas::PushClip(const RectI& rect, int cornerRadius) {
  clips.push_back(graphics.Save());
  Gdiplus::GraphicsPath path;
  AddRoundRect(path, rect, cornerRadius);
  Gdiplus::Region region(&path);
  graphics.SetClip(&region, Gdiplus::CombineModeIntersect);
}

void GdiPlusCanvas::PopClip() {
  if (clips.empty()) return;
  graphics.Restore(clips.back());
  clips.pop_back();
}
