#pragma once
// The guide's arrows on the button and macro pages: thick amber strokes
// with an arrow head, fading in and out at the guide's alpha.
#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"

void PaintGuideArrows(const PaintSnapshot& snapshot, Canvas& canvas);
