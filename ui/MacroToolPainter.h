#pragma once
// What stands around the macro panes: their frames (the editor's white
// while it has the focus), the toolbox with the item under a drag lit, and
// on the macro page the "Record the duration or invervals" box with its
// label, the capture prompt while a capture waits and the bar of a store
// into the library. Every place comes from ui/MacroLayout.
#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"
#include "ui/SkinLayout.h"

void PaintPaneFrames(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas);
