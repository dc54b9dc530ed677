#pragma once
// The drawing surface every painter and control look draws on. The Windows
// build draws with GDI+ on the window's composition surface or a control's
// off-screen bitmap (ui/win/GdiPlusCanvas); tests record the calls.
// Coordinates are pixels of the surface; sizes are widths and heights.
#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t alpha = 255;
  bool operator==(const Rgba& other) const {
    return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
  }
  bool operator!=(const Rgba& other) const { return !(*this == other); }
};

struct PointF {
  float x = 0;
  float y = 0;
  bool operator==(const PointF& other) const { return x == other.x && y == other.y; }
};

struct RectI {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
  bool operator==(const RectI& other) const {
    return x == other.x && y == other.y && width == other.width && height == other.height;
  }
};

struct SizeF {
  float width = 0;
  float height = 0;
};

enum class TextAlign { Near, Center, Far };

// GDI+ text rendering hints that the skin uses.
enum class TextHint { SystemDefault, ClearTypeGridFit };

// GDI+ line caps that the skin uses (the numbers are GDI+'s own).
enum class LineCap { Flat = 0, Round = 2, ArrowAnchor = 20 };

struct TextStyle {
  int font = 0;  // SkinFonts index
  Rgba color;
  TextAlign horizontal = TextAlign::Near;
  TextAlign vertical = TextAlign::Near;
  TextHint hint = TextHint::SystemDefault;
};

struct PenStyle {
  Rgba color;
  float width = 1;
  LineCap startCap = LineCap::Flat;
  LineCap endCap = LineCap::Flat;
  bool dashed = false;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Draws image `imageId` (a skin resource id) with its top-left corner at
  // (x, y) in its own size. A missing image draws nothing.
  virtual void DrawImage(int imageId, int x, int y) = 0;
  // Draws the image scaled into `target`, with every pixel's alpha multiplied
  // by `alpha` / 255.
  virtual void DrawImageScaled(int imageId, const RectI& target, uint8_t alpha) = 0;
  // Draws the part `source` of the image at (x, y), unscaled.
  virtual void DrawImagePart(int imageId, const RectI& source, int x, int y) = 0;

  virtual void FillRect(const RectI& rect, const Rgba& color) = 0;
  virtual void FillRoundRect(const RectI& rect, int cornerRadius, const Rgba& color) = 0;
  virtual void FillEllipse(const RectI& rect, const Rgba& color) = 0;
  virtual void FillPolygon(const std::vector<PointF>& points, const Rgba& color) = 0;
  virtual void DrawRect(const RectI& rect, const PenStyle& pen) = 0;
  virtual void DrawLine(PointF from, PointF to, const PenStyle& pen) = 0;
  virtual void DrawPolyline(const std::vector<PointF>& points, const PenStyle& pen) = 0;

  // Text inside `layout`; a layout of zero width and height is unbounded and
  // starts at its origin.
  virtual void DrawText(const std::u16string& text, const RectI& layout, const TextStyle& style) = 0;
  // The size the text takes in a skin font, unbounded.
  virtual SizeF MeasureText(const std::u16string& text, int font) = 0;

  // Clipping: drawing is limited to the intersection of the pushed
  // rectangles (a rounded one when `cornerRadius` > 0) until the matching pop.
  virtual void PushClip(const RectI& rect, int cornerRadius) = 0;
  virtual void PopClip() = 0;
};
