#include "app/WindowSnapshot.h"

PaintSnapshot WindowSnapshot(const WindowFrame& frame, const UiText& texts, const MemoryFigures& memory) {
  PaintSnapshot snapshot;
  snapshot.page = frame.CurrentTab();
  snapshot.hoverTab = frame.Tabs().HoverTab();
  snapshot.functionBarAlpha = static_cast<uint8_t>(frame.Tabs().Value());
  snapshot.textItems = TextItemsFrom(texts);
  snapshot.extraText = texts.versionLabel;
  snapshot.macroAreaBytes = memory.macroAreaBytes;
  snapshot.freeBytes = memory.freeBytes;
  snapshot.editedMacroBytes = memory.editedMacroBytes;

  // The panel shows the status of a running operation; the version label
  // keeps its place.
  snapshot.busy = frame.Operation().Panel(texts);
  return snapshot;
}
