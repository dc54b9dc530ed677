#pragma once
// The two macro panes' rows. The library pane (button and macro pages)
// shows folders for groups, their macros indented below them, and the
// selection; the editor pane (macro page) shows each command's address, icon
// and text, with the selection or, while a drag places a command, the
// insertion mark. Only the rows the snapshot carries are drawn, inside their
// pane, at the places of ui/MacroLayout.
#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"
#include "ui/SkinLayout.h"

void PaintMacroListPane(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas);
void PaintMacroStepList(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas);
