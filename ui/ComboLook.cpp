#include "ui/ComboLook.h"

#include "ui/ButtonLook.h"
#include "ui/Shade.h"

namespace {

constexpr int kOutlineRadius = 3;
constexpr int kInnerRadius = 2;
constexpr int kFrameWidth = 2;

}  // namespace

ComboLook::ComboLook(const ButtonStyle& style, const ListColors& listColors, int width, int height)
    : arrowIds(style.imageIds), font(style.font), colors(listColors), arrowWidth(width), arrowHeight(height) {}

int ComboLook::ArrowSlot(const ComboState& state) const {
  // Keyboard focus lights the arrow just as the pointer does.
  if (state.hover || state.focus) return state.dropped ? kSlotPressed : kSlotHover;
  return state.enabled ? kSlotNormal : kSlotDisabled;
}

void ComboLook::PaintField(Canvas& canvas, const RectI& place, const ComboState& state) const {
  canvas.DrawImagePart(kWindowBackgroundImage, place, 0, 0);
  const RectI outline{0, 0, place.width, place.height};
  if (state.hover || state.focus) {
    canvas.FillRoundRect(outline, kOutlineRadius, Opaque(colors.backgroundShade));
    const RectI inner{kFrameWidth, kFrameWidth, place.width - 2 * kFrameWidth, place.height - 2 * kFrameWidth};
    canvas.FillRoundRect(inner, kInnerRadius, Opaque(Lighten(colors.background, kComboInnerLighten)));
  } else {
    canvas.FillRoundRect(outline, kOutlineRadius, Opaque(colors.background));
  }

  // Text and arrow are placed within the window less its last column and row.
  const int width = place.width - 1;
  const int height = place.height - 1;
  TextStyle text;
  text.font = font;
  text.horizontal = TextAlign::Near;
  text.vertical = TextAlign::Center;
  if (state.enabled) {
    text.color = Opaque(colors.text);
    canvas.DrawText(state.text, RectI{4, 1, width - 2, height - 2}, text);
  } else {
    text.color = Opaque(colors.disabledShadow);
    canvas.DrawText(state.text, RectI{5, 2, width - 2, height - 2}, text);
    text.color = Opaque(colors.disabledText);
    canvas.DrawText(state.text, RectI{4, 1, width - 2, height - 2}, text);
  }

  const int arrow = arrowIds[static_cast<size_t>(ArrowSlot(state))];
  if (arrow != 0) canvas.DrawImage(arrow, width - arrowWidth - 2, (height - arrowHeight) / 2);
}

void ComboLook::PaintItem(Canvas& canvas, const ListItem& item) const { PaintListItem(canvas, colors, font, item); }
