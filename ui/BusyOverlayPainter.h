#pragma once
// The busy overlay over the whole window's painting: the status panel of a
// long device operation, and the full-window cover while the device's
// memory is being reorganised.
#include <string>

#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"
#include "ui/SkinLayout.h"

// The cover's own text; the language file does not replace it.
inline constexpr char16_t kReorganisingText[] = u"重整記憶體中,請不要拔插Mouse";

void PaintBusyOverlay(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas);
