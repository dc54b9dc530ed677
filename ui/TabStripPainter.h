#pragma once
// The page tabs: the current page's tab picture, the function bar over the
// tab under the pointer, and the three captions.
#include <vector>

#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"
#include "ui/SkinLayout.h"

// The function bar's outline with cut corners: three points per corner,
// 2 pixels deep, clockwise from the top-left corner's lower point.
std::vector<PointF> CutCornerOutline(const RectI& rect);

void PaintTabStrip(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas);
