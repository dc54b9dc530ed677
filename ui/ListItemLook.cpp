#include "ui/ListItemLook.h"

#include "ui/Shade.h"

ListColors ListColors::From(const RgbColor& text, const RgbColor& background, const RgbColor& disabledText,
                            const RgbColor& disabledShadow) {
  ListColors colors;
  colors.text = text;
  colors.background = background;
  colors.disabledText = disabledText;
  colors.disabledShadow = disabledShadow;
  colors.backgroundShade = Shade(background, kListShadeStep);
  colors.textShade = Shade(text, kListShadeStep);
  return colors;
}

void PaintListItem(Canvas& canvas, const ListColors& colors, int font, const ListItem& item) {
  const RectI& rect = item.rect;
  // One pixel wider and taller, so neighbouring items leave no seam.
  canvas.FillRect(RectI{rect.x, rect.y, rect.width + 1, rect.height + 1},
                  Opaque(item.selected ? colors.backgroundShade : colors.background));
  TextStyle text;
  text.font = font;
  text.color = Opaque(item.current ? colors.textShade : colors.text);
  text.horizontal = TextAlign::Near;
  text.vertical = TextAlign::Center;
  canvas.DrawText(item.text, RectI{rect.x + 2, rect.y, rect.width - 2, rect.height + 1}, text);
}
