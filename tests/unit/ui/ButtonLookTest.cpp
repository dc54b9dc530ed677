#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"
#include "ui/ButtonLook.h"
#include "ui/ButtonPulse.h"

namespace {

const RectI kPlace{341, 466, 100, 30};
const ButtonColors kColors{{255, 255, 255}, {160, 160, 160}, {250, 250, 250}};

ButtonStyle CaptionStyle() {
  ButtonStyle style;
  style.imageIds = {136, 137, 138, 139};
  style.font = 4;
  return style;
}

ButtonState Enabled() {
  ButtonState state;
  state.caption = u"Record";
  return state;
}

}  // namespace

TEST(ButtonLook, ChoosesItsImageByCheckStyleDisabledPressedAndHover) {
  const ButtonLook look(CaptionStyle(), kColors, true);
  ButtonState state = Enabled();
  EXPECT_EQ(look.ImageSlot(state), kSlotNormal);
  state.hover = true;
  EXPECT_EQ(look.ImageSlot(state), kSlotHover);
  state.pressed = true;
  EXPECT_EQ(look.ImageSlot(state), kSlotPressed);
  state.enabled = false;
  EXPECT_EQ(look.ImageSlot(state), kSlotDisabled) << "disabled wins over hover and pressed";

  ButtonState check;
  check.checkStyle = true;
  check.hover = true;
  check.pressed = true;
  check.enabled = false;
  EXPECT_EQ(look.ImageSlot(check), kSlotNormal) << "a check box shows only its check state";
  check.checked = true;
  EXPECT_EQ(look.ImageSlot(check), kSlotPressed);
}

TEST(ButtonLook, PaintsBackgroundThenImageThenCaptionSunkWhenPressed) {
  ButtonStyle style = CaptionStyle();
  style.clearType = 1;
  ButtonState state = Enabled();
  state.pressed = true;
  RecordingCanvas canvas;
  ButtonLook(style, kColors, true).Paint(canvas, kPlace, state);
  ASSERT_EQ(canvas.calls.size(), 3u);
  EXPECT_EQ(canvas.calls[0].source, kPlace) << "the window background at the button's own place";
  EXPECT_EQ(canvas.calls[1].imageId, 138);
  EXPECT_EQ(canvas.calls[2].text, u"Record");
  EXPECT_EQ(canvas.calls[2].rect, (RectI{2, 2, 99, 29}));
  EXPECT_EQ(canvas.calls[2].textStyle.hint, TextHint::ClearTypeGridFit);

  state.pressed = false;
  RecordingCanvas released;
  ButtonLook(CaptionStyle(), kColors, true).Paint(released, kPlace, state);
  EXPECT_EQ(released.OfKind(CanvasCall::Text).at(0).rect, (RectI{0, 0, 99, 29}));
  EXPECT_EQ(released.OfKind(CanvasCall::Text).at(0).textStyle.hint, TextHint::SystemDefault);
}

TEST(ButtonLook, DisabledCaptionIsAShadowThenTheGreyTextAndNeverSinks) {
  ButtonState state = Enabled();
  state.enabled = false;
  state.pressed = true;
  RecordingCanvas canvas;
  ButtonLook(CaptionStyle(), kColors, true).Paint(canvas, kPlace, state);
  const std::vector<CanvasCall> texts = canvas.OfKind(CanvasCall::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rect, (RectI{1, 1, 99, 29}));
  EXPECT_EQ(texts[0].textStyle.color, (Rgba{250, 250, 250, 255}));
  EXPECT_EQ(texts[1].rect, (RectI{0, 0, 99, 29}));
  EXPECT_EQ(texts[1].textStyle.color, (Rgba{160, 160, 160, 255}));
}

TEST(ButtonLook, EmptySlotAndNoCaptionLeaveOnlyTheBackground) {
  ButtonStyle close;
  close.imageIds = {141, 142, 143, 0};
  ButtonState state;
  state.enabled = false;
  RecordingCanvas canvas;
  ButtonLook(close, kColors, false).Paint(canvas, RectI{752, 26, 31, 32}, state);
  EXPECT_EQ(canvas.ImageIds(), (std::vector<int>{kWindowBackgroundImage}));
  EXPECT_TRUE(canvas.OfKind(CanvasCall::Text).empty());
}

TEST(ButtonLook, PulsingDotLiesOverTheCaptionWithThePulseAlpha) {
  ButtonState state = Enabled();
  state.pulseOn = true;
  state.pulseAlpha = 176;
  RecordingCanvas canvas;
  ButtonLook(CaptionStyle(), kColors, true).Paint(canvas, kPlace, state);
  ASSERT_EQ(canvas.calls.back().kind, CanvasCall::FillEllipse);
  EXPECT_EQ(canvas.calls.back().color.alpha, 176);
  state.pulseOn = false;
  RecordingCanvas still;
  ButtonLook(CaptionStyle(), kColors, true).Paint(still, kPlace, state);
  EXPECT_TRUE(still.OfKind(CanvasCall::FillEllipse).empty());
}

TEST(ButtonPulse, BreathesBetween64And240InStepsOf8StartingUpwardFrom128) {
  ButtonPulse pulse;
  ASSERT_EQ(pulse.SetOn(true), PulseTimer::Start);
  std::vector<int> seen{pulse.Alpha()};
  for (int tick = 0; tick < 40; ++tick) {
    ASSERT_TRUE(pulse.Tick());
    seen.push_back(pulse.Alpha());
  }
  std::vector<int> expected;
  for (int a = 128; a <= 240; a += 8) expected.push_back(a);
  for (int a = 232; a >= 64; a -= 8) expected.push_back(a);
  for (int a = 72; expected.size() < seen.size(); a += 8) expected.push_back(a);
  EXPECT_EQ(seen, expected);
}

TEST(ButtonPulse, TimerRunsOnlyWhileTheDotShows) {
  ButtonPulse pulse;
  EXPECT_FALSE(pulse.TimerWanted());
  EXPECT_FALSE(pulse.Tick()) << "a stray tick while off neither moves nor repaints";
  EXPECT_EQ(pulse.Alpha(), 128);
  EXPECT_EQ(pulse.SetOn(true), PulseTimer::Start);
  EXPECT_EQ(pulse.SetOn(true), PulseTimer::Keep) << "switching on twice starts one timer";
  pulse.Tick();
  EXPECT_EQ(pulse.SetOn(false), PulseTimer::Stop);
  EXPECT_FALSE(pulse.TimerWanted());
  EXPECT_EQ(pulse.SetOn(false), PulseTimer::Keep);
  EXPECT_EQ(pulse.Alpha(), 136);
}
