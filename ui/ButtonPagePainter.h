#pragma once
// The button page's live contents: a numbered badge beside each function
// list, the numbered markers on the mouse picture, the software profiles'
// names and colours, the current profile's colour swatch and, while it
// shows, the colour palette. Every place comes from ui/SkinLayout.
#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"

void PaintButtonPageContents(const PaintSnapshot& snapshot, Canvas& canvas);
