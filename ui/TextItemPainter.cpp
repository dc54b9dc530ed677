#include "ui/TextItemPainter.h"

namespace {

// Label colours are Windows colour references, 0x00BBGGRR.
Rgba Opaque(uint32_t colorRef) {
  return {static_cast<uint8_t>(colorRef), static_cast<uint8_t>(colorRef >> 8), static_cast<uint8_t>(colorRef >> 16),
          255};
}

void DrawLabel(const LabelSlot& label, const std::u16string& text, Canvas& canvas) {
  TextStyle style;
  style.font = label.font;
  style.hint = label.clearType == 1 ? TextHint::ClearTypeGridFit : TextHint::SystemDefault;
  if (label.shadow == 1) {
    style.color = {0, 0, 0, 255};
    canvas.DrawText(text, {label.x + 1, label.y + 1, 0, 0}, style);
  }
  style.color = Opaque(label.color);
  canvas.DrawText(text, {label.x, label.y, 0, 0}, style);
}

}  // namespace

std::u16string TextItemText(const PaintSnapshot& snapshot, int slot) {
  const std::u16string& text = snapshot.textItems[static_cast<size_t>(slot)].text;
  switch (slot) {
    case kSlotMemoryUsed:
      return FormatMemoryShare(text, snapshot.macroAreaBytes - snapshot.freeBytes, snapshot.macroAreaBytes);
    case kSlotMemoryFree:
      return FormatMemoryShare(text, snapshot.freeBytes, snapshot.macroAreaBytes);
    case kSlotEditorSize:
      return FormatEditorSize(text, snapshot.editedMacroBytes);
    default:
      return text;
  }
}

void PaintTextItems(const PaintSnapshot& snapshot, const SkinLayout&, Canvas& canvas) {
  for (int slot = 0; slot < kTextItemCount; ++slot) {
    const LabelSlot& label = snapshot.textItems[static_cast<size_t>(slot)];
    if (LabelDrawnOnPage(slot, label, snapshot.page)) DrawLabel(label, TextItemText(snapshot, slot), canvas);
  }
  if (snapshot.extraText) DrawLabel(*snapshot.extraText, snapshot.extraText->text, canvas);
}
