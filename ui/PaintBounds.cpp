#include "ui/PaintBounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Line height as a share of the font's size, with room for accents and
// descenders in any of the skin's fonts.
constexpr float kLineShare = 2.0f;

}  // namespace

bool Touches(const RectI& visible, const RectI& drawn, float margin) {
  const float left = static_cast<float>(drawn.x) - margin;
  const float top = static_cast<float>(drawn.y) - margin;
  const float right = static_cast<float>(drawn.x + drawn.width) + margin;
  const float bottom = static_cast<float>(drawn.y + drawn.height) + margin;
  return left < static_cast<float>(visible.x + visible.width) && right > static_cast<float>(visible.x) &&
         top < static_cast<float>(visible.y + visible.height) && bottom > static_cast<float>(visible.y);
}

RectI BoundsOf(const std::vector<PointF>& points) {
  if (points.empty()) return {};
  float left = points.front().x;
  float top = points.front().y;
  float right = left;
  float bottom = top;
  for (const PointF& point : points) {
    left = std::min(left, point.x);
    top = std::min(top, point.y);
    right = std::max(right, point.x);
    bottom = std::max(bottom, point.y);
  }
  const int x = static_cast<int>(std::floor(left));
  const int y = static_cast<int>(std::floor(top));
  return {x, y, static_cast<int>(std::ceil(right)) - x + 1, static_cast<int>(std::ceil(bottom)) - y + 1};
}

bool TextMayTouch(const RectI& visible, const std::u16string& text, const RectI& layout, const TextStyle& style,
                  float fontPixels) {
  // Text drawn in a layout box is clipped to it.
  if (layout.width != 0 || layout.height != 0) return Touches(visible, layout);
  const float lines = static_cast<float>(1 + std::count(text.begin(), text.end(), u'\n'));
  const float height = std::max(fontPixels, 1.0f) * kLineShare * lines;
  const float y = static_cast<float>(layout.y);
  float top = y;
  if (style.vertical == TextAlign::Center) top = y - height / 2;
  if (style.vertical == TextAlign::Far) top = y - height;
  if (top >= static_cast<float>(visible.y + visible.height) || top + height <= static_cast<float>(visible.y)) {
    return false;
  }
  // Unbounded to the right of a near-aligned origin, and to both sides otherwise.
  return style.horizontal != TextAlign::Near || layout.x < visible.x + visible.width;
}
