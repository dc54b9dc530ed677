#pragma once
// A drop-down list opens as wide as its widest item. Measuring and resizing
// happen each time it opens, but the list is only resized when the widest
// item changed since the last time.
#include <optional>
#include <string>
#include <vector>

#include "ui/Canvas.h"

// The width of the widest text in skin font `font`, in whole pixels.
int WidestText(Canvas& canvas, const std::vector<std::u16string>& texts, int font);

class DropDownWidth {
 public:
  // Margin added to the widest text, on top of the list's scroll bar.
  static constexpr int kPadding = 8;

  // The list width to set now, or nothing when the widest item is as wide
  // as when the list last opened.
  std::optional<int> OnDropDown(int widestItem, int scrollBarWidth);

 private:
  int lastWidest = 0;
};
