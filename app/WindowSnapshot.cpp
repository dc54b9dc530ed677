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

  const DeviceOperationFlow& operation = model.Operation();
  snapshot.busy = operation.Panel(texts);
  if (!operation.Running() || !operation.HasStatus()) return snapshot;
  const device::StatusTextSlot& status = operation.StatusText();
  const auto entry = static_cast<size_t>(status.entry);
  if (status.table == device::StatusTextSlot::Table::kLabel && status.entry >= 0 && entry < texts.labels.size()) {
    // A label has its own place on the status strip; the panel keeps the bar.
    snapshot.extraText = texts.labels[entry];
    snapshot.busy.text.clear();
  }
  return snapshot;
}
