#include "app/WindowSnapshot.h"

PaintSnapshot WindowSnapshot(const MainWindowModel& model, const UiText& texts, const MemoryFigures& memory) {
  PaintSnapshot snapshot;
  snapshot.page = model.CurrentTab();
  snapshot.hoverTab = model.Tabs().HoverTab();
  snapshot.functionBarAlpha = static_cast<uint8_t>(model.Tabs().Value());
  snapshot.textItems = TextItemsFrom(texts);
  snapshot.extraText = texts.versionLabel;
  snapshot.macroAreaBytes = memory.macroAreaBytes;
  snapshot.freeBytes = memory.freeBytes;
  snapshot.editedMacroBytes = memory.editedMacroBytes;

  // The panel shows the status of a running operation; the version label
  // keeps its place.
  snapshot.busy = model.Operation().Panel(texts);
  return snapshot;
}
