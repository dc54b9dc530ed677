#pragma once
// What the skinned macro list paints itself: its items, and the background
// colour in the part of its client area that no item covers.
#include "ui/Canvas.h"
#include "ui/ListItemLook.h"
#include "ui/SkinStyle.h"

class ListBoxLook {
 public:
  ListBoxLook() = default;
  ListBoxLook(const ButtonStyle& style, const ListColors& colors);

  // The part of `client` that erasing fills: from the bottom of the last
  // item down, or all of it when the list is empty or its last item reaches
  // past the bottom (the items then repaint over it). Empty when nothing is
  // left below the last item.
  static RectI BackgroundBelowItems(const RectI& client, int itemCount, const RectI& lastItem);

  void PaintBackground(Canvas& canvas, const RectI& client, int itemCount, const RectI& lastItem) const;
  void PaintItem(Canvas& canvas, const ListItem& item) const;

  int Font() const { return font; }

 private:
  int font = 0;
  ListColors colors;
};
