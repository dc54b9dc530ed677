#pragma once
// The button page's live contents: a numbered badge beside each function
// list, the row markers on the mouse picture, the software profiles' names
// and colours, the current profile's colour swatch and, while it shows, the
// colour palette.
#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"

// Clicking the current profile's colour opens the palette.
inline constexpr RectI kProfileColourSwatch = {604, 212, 20, 20};

// Where badge `button` (0..11) and the row marker of button `button` (0..9) stand.
PointF BadgePosition(int button);
PointF RowMarkerPosition(int button);
// Where profile row `row` (0..6) starts: its colour square, then its name.
PointF ProfileRowPosition(int row);

void PaintButtonPageContents(const PaintSnapshot& snapshot, Canvas& canvas);
