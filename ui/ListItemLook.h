#pragma once
// The colours of a skinned combo box or list box and how one item of either
// is painted: the same rules serve the drop-down list and the macro list.
#include <string>

#include "ui/Canvas.h"
#include "ui/SkinStyle.h"

// The shades mark the selected item's background and the current item's text.
inline constexpr int kListShadeStep = 60;

struct ListColors {
  RgbColor text{96, 96, 96};
  RgbColor background{255, 255, 255};
  RgbColor disabledText{96, 96, 96};
  RgbColor disabledShadow{255, 255, 255};
  RgbColor backgroundShade{195, 195, 195};
  RgbColor textShade{36, 36, 36};

  // The four colours the layout gives, with both shades worked out.
  static ListColors From(const RgbColor& text, const RgbColor& background, const RgbColor& disabledText,
                         const RgbColor& disabledShadow);
};

struct ListItem {
  RectI rect;  // as the list reports it
  std::u16string text;
  bool selected = false;  // under the keyboard or pointer highlight
  bool current = false;   // the combo box's chosen item or the list's marked one
};

void PaintListItem(Canvas& canvas, const ListColors& colors, int font, const ListItem& item);
