#pragma once
// What a skinned drop-down list shows in its selection field (frame, text and
// arrow) and in the items of its open list.
#include <array>
#include <string>

#include "ui/Canvas.h"
#include "ui/ListItemLook.h"
#include "ui/SkinStyle.h"

// Inside the frame shown while the pointer is over the field or it has the
// focus, the background is lightened by this much.
inline constexpr int kComboInnerLighten = 20;

struct ComboState {
  bool enabled = true;
  bool hover = false;
  bool focus = false;
  bool dropped = false;
  std::u16string text;  // the chosen item
};

class ComboLook {
 public:
  ComboLook() = default;
  // The style's images are the arrow's four looks, all `arrowWidth` x
  // `arrowHeight`; its font draws the text of the field and the items.
  ComboLook(const ButtonStyle& style, const ListColors& colors, int arrowWidth, int arrowHeight);

  int ArrowSlot(const ComboState& state) const;
  // `place` is the control's rectangle in the window.
  void PaintField(Canvas& canvas, const RectI& place, const ComboState& state) const;
  void PaintItem(Canvas& canvas, const ListItem& item) const;

  int Font() const { return font; }
  const ListColors& Colors() const { return colors; }

 private:
  std::array<int, 4> arrowIds{};
  int font = 0;
  ListColors colors;
  int arrowWidth = 0;
  int arrowHeight = 0;
};
