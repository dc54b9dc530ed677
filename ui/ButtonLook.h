#pragma once
// What a skinned push button, caption button or image check box shows: its
// place in the window background, one of its four images, its caption and
// the recording dot.
#include <array>
#include <cstdint>
#include <string>

#include "ui/Canvas.h"
#include "ui/SkinStyle.h"

struct ButtonColors {
  RgbColor text;
  RgbColor disabledText;
  RgbColor disabledShadow;
};

// What the button is at the moment of painting.
struct ButtonState {
  // A check box or plain push-button style: drawn by its check state alone.
  bool checkStyle = false;
  bool checked = false;
  bool enabled = true;
  bool hover = false;
  bool pressed = false;
  bool pulseOn = false;
  uint8_t pulseAlpha = 0;
  std::u16string caption;
};

enum ButtonImageSlot : int { kSlotNormal = 0, kSlotHover = 1, kSlotPressed = 2, kSlotDisabled = 3 };

class ButtonLook {
 public:
  ButtonLook() = default;
  ButtonLook(const ButtonStyle& style, const ButtonColors& colors, bool drawCaption);

  int ImageSlot(const ButtonState& state) const;
  // How far the caption moves right and down: a pressed button's caption sinks.
  int CaptionOffset(const ButtonState& state) const;

  // `place` is the button's rectangle in the window, whose background shows
  // wherever the image is transparent.
  void Paint(Canvas& canvas, const RectI& place, const ButtonState& state) const;

 private:
  std::array<int, 4> imageIds{};
  int font = 0;
  bool clearType = false;
  ButtonColors colors{};
  bool drawCaption = false;
};
