#include "ui/ListBoxLook.h"

#include "ui/Shade.h"

ListBoxLook::ListBoxLook(const ButtonStyle& style, const ListColors& listColors)
    : font(style.font), colors(listColors) {}

RectI ListBoxLook::BackgroundBelowItems(const RectI& client, int itemCount, const RectI& lastItem) {
  const int clientBottom = client.y + client.height;
  const int lastBottom = lastItem.y + lastItem.height;
  const int top = itemCount <= 0 || lastBottom > clientBottom ? client.y : lastBottom;
  if (top >= clientBottom) return RectI{client.x, clientBottom, client.width, 0};
  return RectI{client.x, top, client.width, clientBottom - top};
}

void ListBoxLook::PaintBackground(Canvas& canvas, const RectI& client, int itemCount, const RectI& lastItem) const {
  const RectI below = BackgroundBelowItems(client, itemCount, lastItem);
  if (below.height > 0) canvas.FillRect(below, Opaque(colors.background));
}

void ListBoxLook::PaintItem(Canvas& canvas, const ListItem& item) const { PaintListItem(canvas, colors, font, item); }
