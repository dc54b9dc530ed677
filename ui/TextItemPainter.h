#pragma once
// The text table's labels of the current page, with the memory figures and
// the edited macro's size filled in, then the window's extra text.
#include <string>

#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"
#include "ui/SkinLayout.h"

// The text item `slot` shows: its own text, or for the memory and size
// items their template filled with the snapshot's live figures.
std::u16string TextItemText(const PaintSnapshot& snapshot, int slot);

void PaintTextItems(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas);
