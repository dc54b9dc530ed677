#pragma once
// The resolution page's live part: the four level buttons, each with its X
// and Y resolution beneath, and while a mouse is connected the current
// level pressed, a glowing callout from its label to its large picture.
#include <vector>

#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"

// The callout from level `level`'s label to the level picture.
std::vector<PointF> LevelCallout(int level);

void PaintResolutionLevels(const PaintSnapshot& snapshot, Canvas& canvas);
