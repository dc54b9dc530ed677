#pragma once
// Which drawing calls can change the pixels of a partial paint: a call whose
// extent misses the rectangle being painted is skipped before it reaches the
// drawing library, so that an animation frame costs its own rectangle.
// Extents are generous: a skipped call must never have touched the rectangle.
#include <string>
#include <vector>

#include "ui/Canvas.h"

// `drawn`, widened by `margin` on every side, overlaps `visible`.
bool Touches(const RectI& visible, const RectI& drawn, float margin = 0);

// The smallest rectangle holding every point (empty for no points).
RectI BoundsOf(const std::vector<PointF>& points);

// Text in `layout` (zero size: unbounded from its origin, placed by the
// style's alignment) in a font `fontPixels` high may touch `visible`.
bool TextMayTouch(const RectI& visible, const std::u16string& text, const RectI& layout, const TextStyle& style,
                  float fontPixels);
