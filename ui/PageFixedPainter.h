#pragma once
// A page's fixed pictures and separator rules, under its live contents.
#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"
#include "ui/SkinLayout.h"

void PaintPageFixedParts(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas);
