#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"
#include "ui/SliderLook.h"

namespace {

const RectI kPlace{110, 259, 288, 30};
const SliderColors kColors{{64, 64, 64}, {200, 200, 200}, {180, 180, 180}};

SliderLook Look() { return SliderLook(204, 205, 24, kColors, 5, 5); }

SliderState Standing(bool enabled) {
  SliderState state;
  state.enabled = enabled;
  state.channel = {8, 13, 272, 4};
  state.thumb = {100, 4, 11, 22};
  return state;
}

}  // namespace

TEST(SliderLook, EnabledSliderFillsChannelAndThumbWithTheirArtworkInsideRoundedClips) {
  RecordingCanvas canvas;
  Look().Paint(canvas, kPlace, Standing(true));
  ASSERT_EQ(canvas.calls.size(), 9u);
  EXPECT_EQ(canvas.calls[0].source, kPlace);
  EXPECT_EQ(canvas.calls[1].kind, CanvasCall::FillRoundRect);
  EXPECT_EQ(canvas.calls[1].rect, (RectI{8, 13, 273, 5}));
  EXPECT_EQ(canvas.calls[1].radius, 5);
  EXPECT_EQ(canvas.calls[1].color, (Rgba{64, 64, 64, 255}));
  EXPECT_EQ(canvas.calls[2].kind, CanvasCall::PushClip);
  EXPECT_EQ(canvas.calls[2].rect, (RectI{9, 14, 271, 3}));
  EXPECT_EQ(canvas.calls[2].radius, 4);
  EXPECT_EQ(canvas.calls[3].imageId, 204);
  EXPECT_EQ(canvas.calls[3].rect, (RectI{8, 13, 388, 24})) << "control width + 100, the image's own height";
  EXPECT_EQ(canvas.calls[4].kind, CanvasCall::PopClip);
  EXPECT_EQ(canvas.calls[5].rect, (RectI{100, 4, 11, 22}));
  EXPECT_EQ(canvas.calls[5].color, (Rgba{200, 200, 200, 255}));
  EXPECT_EQ(canvas.calls[6].rect, (RectI{101, 5, 9, 20}));
  EXPECT_EQ(canvas.calls[6].radius, 4);
  EXPECT_EQ(canvas.calls[7].imageId, 205);
  EXPECT_EQ(canvas.calls[7].rect, (RectI{100, 4, 12, 23}));
  EXPECT_EQ(canvas.calls[8].kind, CanvasCall::PopClip);
}

TEST(SliderLook, DisabledSliderIsGreyAndDrawsNoArtwork) {
  EXPECT_EQ(Look().Grey(), (RgbColor{160, 160, 160}));
  RecordingCanvas canvas;
  Look().Paint(canvas, kPlace, Standing(false));
  EXPECT_EQ(canvas.ImageIds(), (std::vector<int>{kWindowBackgroundImage}));
  const std::vector<CanvasCall> rounds = canvas.OfKind(CanvasCall::FillRoundRect);
  ASSERT_EQ(rounds.size(), 2u);
  EXPECT_EQ(rounds[0].color, (Rgba{180, 180, 180, 255}));
  EXPECT_EQ(rounds[1].color, (Rgba{180, 180, 180, 255}));
  const std::vector<CanvasCall> greys = canvas.OfKind(CanvasCall::FillRect);
  ASSERT_EQ(greys.size(), 2u);
  EXPECT_EQ(greys[0].color, (Rgba{160, 160, 160, 255}));
  EXPECT_EQ(greys[1].color, (Rgba{160, 160, 160, 255}));
}

TEST(SliderLook, TicksAreShortWhiteStrokesAtTheFootBelowTheThumb) {
  SliderState state = Standing(true);
  state.tickXs = {13, 140};
  RecordingCanvas canvas;
  Look().Paint(canvas, kPlace, state);
  const std::vector<CanvasCall> lines = canvas.OfKind(CanvasCall::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].points, (std::vector<PointF>{{140, 26}, {140, 30}}));
  EXPECT_EQ(lines[1].pen.width, 2);
  EXPECT_EQ(lines[1].pen.color, (Rgba{255, 255, 255, 255}));
  size_t lastTick = 0;
  size_t thumb = 0;
  for (size_t i = 0; i < canvas.calls.size(); ++i) {
    if (canvas.calls[i].kind == CanvasCall::Line) lastTick = i;
    if (canvas.calls[i].kind == CanvasCall::FillRoundRect) thumb = i;
  }
  EXPECT_LT(lastTick, thumb) << "the thumb covers the ticks";
}
