#include "app/Tooltips.h"

RectI TooltipBubbleRect(int x, int y, TextExtent text, int extraWidth) {
  const int width = text.width + 54 + extraWidth;
  return {x - width / 2, y - 10 - text.height, width, text.height + 5};
}

void Tooltips::PointerAt(int x, int y, bool toolboxShown, WindowActions& out) {
  int under = -1;
  for (int each = 0; toolboxShown && each < kItemCount; ++each) {
    if (items[static_cast<size_t>(each)].Contains(x, y)) under = each;
  }
  if (under == item) return;
  Leave(out);
  item = under;
}

void Tooltips::Leave(WindowActions& out) {
  if (item >= 0) out.RepaintRect(items[static_cast<size_t>(item)]);
  if (shown) out.RepaintRect(bubble);
  item = -1;
  ticks = 0;
  shown = false;
}

void Tooltips::Tick(int editorMode, WindowActions& out) {
  if (!Due() || ++ticks < kTicksToShow) return;
  textSlot = item == 1 && editorMode == 0 ? kNewFolderText : item;
  const RectI& area = items[static_cast<size_t>(item)];
  const TextExtent text = measure ? measure(textSlot) : TextExtent{};
  bubble = TooltipBubbleRect(area.x + area.width / 2, area.y, text, extraWidth);
  shown = true;
  out.RepaintRect(bubble);
}
