#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"
#include "ui/ResolutionPagePainter.h"

namespace {

PaintSnapshot Levels(bool connected) {
  PaintSnapshot snapshot;
  snapshot.page = 1;
  snapshot.resolution.dpi = {{{800, 800}, {1600, 1600}, {2400, 3000}, {3200, 3200}}};
  snapshot.resolution.current = 2;
  snapshot.resolution.mouseConnected = connected;
  return snapshot;
}

TEST(ResolutionPagePainter, TheCurrentLevelIsPressedAndGlowsTowardsItsPictureWhileAMouseIsConnected) {
  RecordingCanvas canvas;
  PaintResolutionLevels(Levels(true), canvas);
  const auto strokes = canvas.OfKind(CanvasCall::Polyline);
  ASSERT_EQ(strokes.size(), 3u);
  EXPECT_EQ(strokes[0].pen.width, 6);
  EXPECT_EQ(strokes[0].pen.color, (Rgba{32, 32, 32, 0x30}));
  EXPECT_EQ(strokes[1].pen.color, (Rgba{64, 64, 64, 0x80}));
  EXPECT_EQ(strokes[2].pen.color, (Rgba{168, 168, 168, 0xC8}));
  // From the bottom of level 2's label to the level picture's left edge.
  EXPECT_EQ(strokes[2].points.size(), 5u);
  EXPECT_EQ(strokes[2].points.front(), (PointF{108 + 126 + 23, 232}));
  EXPECT_EQ(strokes[2].points.back().x, 503);
  EXPECT_EQ(canvas.ImageIds(), (std::vector<int>{159, 167, 173, 165, 174}));
  const auto images = canvas.OfKind(CanvasCall::Image);
  EXPECT_EQ(images[2].rect, (RectI{236, 148, 0, 0}));
  EXPECT_EQ(images[3].rect, (RectI{503, 125, 0, 0}));

  const auto labels = canvas.OfKind(CanvasCall::Text);
  ASSERT_EQ(labels.size(), 4u);
  EXPECT_EQ(labels[2].text, u"X:2400\r\nY:3000");
  EXPECT_EQ(labels[2].rect, (RectI{234, 192, 46, 40}));
  EXPECT_EQ(labels[2].textStyle.font, 4);
  EXPECT_EQ(labels[2].textStyle.horizontal, TextAlign::Center);
  EXPECT_EQ(labels[2].textStyle.vertical, TextAlign::Center);
  EXPECT_EQ(labels[2].textStyle.color, (Rgba{255, 255, 255, 255}));
}

TEST(ResolutionPagePainter, WithoutAMouseEveryLevelIsPlainAndNothingGlows) {
  RecordingCanvas canvas;
  PaintResolutionLevels(Levels(false), canvas);
  EXPECT_TRUE(canvas.OfKind(CanvasCall::Polyline).empty());
  EXPECT_EQ(canvas.ImageIds(), (std::vector<int>{159, 167, 171, 174}));
}

}  // namespace
