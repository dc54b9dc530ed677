#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"
#include "ui/ResolutionPagePainter.h"
#include "ui/SkinLayout.h"

namespace {

RecordingCanvas PaintLevels(bool connected) {
  PaintSnapshot snapshot;
  snapshot.page = 1;
  snapshot.resolution.dpi = {{{800, 800}, {1600, 1600}, {2400, 3000}, {3200, 3200}}};
  snapshot.resolution.current = 2;
  snapshot.resolution.mouseConnected = connected;
  RecordingCanvas canvas;
  PaintResolutionLevels(snapshot, canvas);
  return canvas;
}

}  // namespace

TEST(ResolutionPagePainter, TheCurrentLevelIsPressedAndGlowsTowardsItsPictureOnlyWhileAMouseIsConnected) {
  const RecordingCanvas connected = PaintLevels(true);
  const auto strokes = connected.OfKind(CanvasCall::Polyline);
  ASSERT_EQ(strokes.size(), 3u);
  // From the bottom of level 2's label to the level picture's left edge.
  const RectI label = LevelLabelRect(2);
  EXPECT_EQ(strokes[2].points.front(),
            (PointF{static_cast<float>(label.x + label.width / 2), static_cast<float>(label.y + label.height)}));
  EXPECT_EQ(strokes[2].points.back().x, static_cast<float>(LevelPictureRect().x));
  EXPECT_EQ(connected.ImageIds(), (std::vector<int>{159, 167, 173, 165, 174})) << "level 2 pressed, its picture";
  const auto labels = connected.OfKind(CanvasCall::Text);
  ASSERT_EQ(labels.size(), 4u);
  EXPECT_EQ(labels[2].text, u"X:2400\r\nY:3000");
  EXPECT_EQ(labels[2].rect, label);

  const RecordingCanvas plain = PaintLevels(false);
  EXPECT_TRUE(plain.OfKind(CanvasCall::Polyline).empty());
  EXPECT_EQ(plain.ImageIds(), (std::vector<int>{159, 167, 171, 174}));
}
