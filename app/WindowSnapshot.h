#pragma once
// What one paint of the main window shows, taken from the controller's state,
// the text table and the device's macro memory.
#include "app/WindowFrame.h"
#include "app/UiText.h"
#include "ui/PaintSnapshot.h"

struct MemoryFigures {
  int macroAreaBytes = 0;
  int freeBytes = 0;
  int editedMacroBytes = 0;
};

// While a device operation runs the progress panel shows its bar and its
// status text, whichever table the text comes from; the version label shows
// on every page all the while.
PaintSnapshot WindowSnapshot(const WindowFrame& frame, const UiText& texts, const MemoryFigures& memory);
