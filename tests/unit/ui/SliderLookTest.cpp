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

TEST(SliderLook, EnabledSliderClipsChannelAndThumbArtworkToTheirRoundedInsides) {
  RecordingCanvas canvas;
  Look().Paint(canvas, kPlace, Standing(true));
  std::vector<CanvasCall::Kind> kinds;
  for (const CanvasCall& call : canvas.calls) kinds.push_back(call.kind);
  EXPECT_EQ(kinds, (std::vector<CanvasCall::Kind>{CanvasCall::ImagePart, CanvasCall::FillRoundRect,
                                                  CanvasCall::PushClip, CanvasCall::ImageScaled, CanvasCall::PopClip,
                                                  CanvasCall::FillRoundRect, CanvasCall::PushClip,
                                                  CanvasCall::ImageScaled, CanvasCall::PopClip}));
  EXPECT_EQ(canvas.calls[2].rect, (RectI{9, 14, 271, 3})) << "one pixel inside the channel";
  EXPECT_EQ(canvas.calls[3].imageId, 204);
  EXPECT_EQ(canvas.calls[3].rect, (RectI{8, 13, 388, 24})) << "control width + 100, the image's own height";
  EXPECT_EQ(canvas.calls[6].rect, (RectI{101, 5, 9, 20})) << "one pixel inside the thumb";
  EXPECT_EQ(canvas.calls[7].imageId, 205);
}

TEST(SliderLook, DisabledSliderIsGreyAndDrawsNoArtwork) {
  RecordingCanvas canvas;
  Look().Paint(canvas, kPlace, Standing(false));
  EXPECT_EQ(canvas.ImageIds(), (std::vector<int>{kWindowBackgroundImage}));
  for (const CanvasCall& grey : canvas.OfKind(CanvasCall::FillRect)) EXPECT_EQ(grey.color, (Rgba{160, 160, 160, 255}));
  EXPECT_EQ(canvas.OfKind(CanvasCall::FillRect).size(), 2u);
}

TEST(SliderLook, TicksAreStrokesAtTheFootThatTheThumbCovers) {
  SliderState state = Standing(true);
  state.tickXs = {13, 140};
  RecordingCanvas canvas;
  Look().Paint(canvas, kPlace, state);
  const std::vector<CanvasCall> lines = canvas.OfKind(CanvasCall::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].points, (std::vector<PointF>{{140, 26}, {140, 30}}));
  size_t lastTick = 0;
  size_t thumb = 0;
  for (size_t i = 0; i < canvas.calls.size(); ++i) {
    if (canvas.calls[i].kind == CanvasCall::Line) lastTick = i;
    if (canvas.calls[i].kind == CanvasCall::FillRoundRect) thumb = i;
  }
  EXPECT_LT(lastTick, thumb) << "the thumb covers the ticks";
}
