#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"
#include "ui/ComboLook.h"
#include "ui/Shade.h"

namespace {

const RectI kPlace{345, 119, 160, 18};

ListColors LayoutColors() { return ListColors::From({50, 60, 60}, {230, 230, 230}, {160, 160, 160}, {255, 255, 255}); }

ComboLook Look() {
  ButtonStyle style;
  style.imageIds = {152, 153, 154, 178};
  style.font = 2;
  return ComboLook(style, LayoutColors(), 15, 15);
}

ComboState Showing(const char16_t* text) {
  ComboState state;
  state.text = text;
  return state;
}

}  // namespace

TEST(Shade, MovesAwayFromTheNearerEndAndNeverWraps) {
  EXPECT_EQ(ShadeComponent(230, 60), 170);
  EXPECT_EQ(ShadeComponent(60, 60), 0) << "v = s still subtracts";
  EXPECT_EQ(ShadeComponent(59, 60), 119);
  EXPECT_EQ(ShadeComponent(0, 20), 20);
  EXPECT_EQ(Shade(RgbColor{180, 10, 200}, 20), (RgbColor{160, 30, 180}));
  EXPECT_EQ(Lighten(RgbColor{230, 240, 250}, 20), (RgbColor{250, 255, 255}));
}

TEST(ComboLook, ArrowFollowsHoverOrFocusThenDroppedElseEnabled) {
  const ComboLook look = Look();
  ComboState state;
  EXPECT_EQ(look.ArrowSlot(state), 0);
  state.enabled = false;
  EXPECT_EQ(look.ArrowSlot(state), 3);
  state.enabled = true;
  state.focus = true;
  EXPECT_EQ(look.ArrowSlot(state), 1) << "keyboard focus lights the arrow without the pointer";
  state.dropped = true;
  EXPECT_EQ(look.ArrowSlot(state), 2);
  state.focus = false;
  state.hover = true;
  EXPECT_EQ(look.ArrowSlot(state), 2);
  state.dropped = false;
  EXPECT_EQ(look.ArrowSlot(state), 1);
}

TEST(ComboLook, FieldIsOneFillUnlessFocusedWhenAShadedFrameSurroundsALighterInside) {
  RecordingCanvas quiet;
  Look().PaintField(quiet, kPlace, Showing(u"Left click"));
  ASSERT_EQ(quiet.calls.size(), 4u);
  EXPECT_EQ(quiet.calls[0].source, kPlace);
  EXPECT_EQ(quiet.calls[1].color, (Rgba{230, 230, 230, 255}));
  EXPECT_EQ(quiet.calls[2].rect, (RectI{4, 1, 157, 15}));
  EXPECT_EQ(quiet.calls[3].imageId, 152) << "the arrow over the text";

  ComboState state = Showing(u"Left click");
  state.focus = true;
  RecordingCanvas focused;
  Look().PaintField(focused, kPlace, state);
  const std::vector<CanvasCall> fills = focused.OfKind(CanvasCall::FillRoundRect);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].color, (Rgba{170, 170, 170, 255}));
  EXPECT_EQ(fills[1].rect, (RectI{2, 2, 156, 14}));
  EXPECT_EQ(fills[1].color, (Rgba{250, 250, 250, 255}));
}

TEST(ComboLook, DisabledTextIsAShadowOnePixelDownRightThenTheGreyText) {
  ComboState state = Showing(u"Disabled");
  state.enabled = false;
  RecordingCanvas canvas;
  Look().PaintField(canvas, kPlace, state);
  const std::vector<CanvasCall> texts = canvas.OfKind(CanvasCall::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rect, (RectI{5, 2, 157, 15}));
  EXPECT_EQ(texts[0].textStyle.color, (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(texts[1].textStyle.color, (Rgba{160, 160, 160, 255}));
}

TEST(ComboLook, ItemsShadeTheSelectedBackgroundAndTheCurrentText) {
  ListItem item;
  item.rect = {0, 20, 160, 20};
  item.text = u"Wheel click";
  RecordingCanvas plain;
  Look().PaintItem(plain, item);
  ASSERT_EQ(plain.calls.size(), 2u);
  EXPECT_EQ(plain.calls[0].rect, (RectI{0, 20, 161, 21})) << "one pixel over, so no seam shows";
  EXPECT_EQ(plain.calls[0].color, (Rgba{230, 230, 230, 255}));
  EXPECT_EQ(plain.calls[1].textStyle.color, (Rgba{50, 60, 60, 255}));

  item.selected = true;
  item.current = true;
  RecordingCanvas marked;
  Look().PaintItem(marked, item);
  EXPECT_EQ(marked.calls[0].color, (Rgba{170, 170, 170, 255}));
  EXPECT_EQ(marked.calls[1].textStyle.color, (Rgba{110, 0, 0, 255}));
}
