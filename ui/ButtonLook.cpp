#include "ui/ButtonLook.h"

#include "ui/Shade.h"

namespace {

// The recording dot: a 13-pixel circle 8 pixels in from the left edge.
constexpr int kDotLeft = 8;
constexpr int kDotSize = 13;
constexpr int kPressedCaptionOffset = 2;

}  // namespace

ButtonLook::ButtonLook(const ButtonStyle& style, const ButtonColors& buttonColors, bool withCaption)
    : imageIds(style.imageIds),
      font(style.font),
      clearType(style.clearType == 1),
      colors(buttonColors),
      drawCaption(withCaption) {}

int ButtonLook::ImageSlot(const ButtonState& state) const {
  if (state.checkStyle) return state.checked ? kSlotPressed : kSlotNormal;
  if (!state.enabled) return kSlotDisabled;
  if (state.pressed) return kSlotPressed;
  if (state.hover) return kSlotHover;
  return kSlotNormal;
}

int ButtonLook::CaptionOffset(const ButtonState& state) const {
  return state.enabled && state.pressed ? kPressedCaptionOffset : 0;
}

void ButtonLook::Paint(Canvas& canvas, const RectI& place, const ButtonState& state) const {
  canvas.DrawImagePart(kWindowBackgroundImage, place, 0, 0);
  const int image = imageIds[static_cast<size_t>(ImageSlot(state))];
  if (image != 0) canvas.DrawImage(image, 0, 0);

  if (drawCaption) {
    TextStyle text;
    text.font = font;
    text.horizontal = TextAlign::Center;
    text.vertical = TextAlign::Center;
    text.hint = clearType ? TextHint::ClearTypeGridFit : TextHint::SystemDefault;
    const int width = place.width - 1;
    const int height = place.height - 1;
    if (state.enabled) {
      const int offset = CaptionOffset(state);
      text.color = Opaque(colors.text);
      canvas.DrawText(state.caption, RectI{offset, offset, width, height}, text);
    } else {
      text.color = Opaque(colors.disabledShadow);
      canvas.DrawText(state.caption, RectI{1, 1, width, height}, text);
      text.color = Opaque(colors.disabledText);
      canvas.DrawText(state.caption, RectI{0, 0, width, height}, text);
    }
  }

  if (state.pulseOn) {
    canvas.FillEllipse(RectI{kDotLeft, place.height / 2 - 7, kDotSize, kDotSize}, Rgba{255, 0, 0, state.pulseAlpha});
  }
}
