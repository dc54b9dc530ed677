#include "ui/DropDownWidth.h"

#include <algorithm>

int WidestText(Canvas& canvas, const std::vector<std::u16string>& texts, int font) {
  int widest = 0;
  for (const std::u16string& text : texts) {
    widest = std::max(widest, static_cast<int>(canvas.MeasureText(text, font).width));
  }
  return widest;
}

std::optional<int> DropDownWidth::OnDropDown(int widestItem, int scrollBarWidth) {
  if (widestItem == lastWidest) return std::nullopt;
  lastWidest = widestItem;
  return widestItem + scrollBarWidth + kPadding;
}
