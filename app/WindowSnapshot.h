#pragma once
// What one paint of the main window shows, taken from the controller's state,
// the text table and the device's macro memory.
#include "app/MainWindowModel.h"
#include "app/UiText.h"
#include "ui/PaintSnapshot.h"

struct MemoryFigures {
  int macroAreaBytes = 0;
  int freeBytes = 0;
  int editedMacroBytes = 0;
};

// While a device operation runs the progress panel shows its bar; a
// message-table status text shows in the panel, and a label-table one
// replaces the version label on the status strip.
PaintSnapshot WindowSnapshot(const MainWindowModel& model, const UiText& texts, const MemoryFigures& memory);
