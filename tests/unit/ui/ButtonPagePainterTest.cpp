// The button page's contents: the palette as it opens, the swatch a click
// lands on, and the profiles with the current one marked.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/RecordingCanvas.h"
#include "ui/ButtonPagePainter.h"

namespace {

PaintSnapshot WithProfiles() {
  PaintSnapshot snapshot;
  ButtonPageView& view = snapshot.buttonPage;
  view.profileCount = kProfileRows;
  view.currentProfile = 1;
  for (int i = 0; i < kProfileRows; ++i) view.profileNames[static_cast<std::size_t>(i)] = u"P" + std::u16string(1, u'1' + i);
  view.profileColours[1] = {0, 8, 0};
  view.profileColours[2] = {0, 0, 4};
  return snapshot;
}

bool HasCall(const std::vector<CanvasCall>& calls, const RectI& rect, const Rgba& color, bool pen) {
  return std::any_of(calls.begin(), calls.end(), [&](const CanvasCall& call) {
    return call.rect == rect && (pen ? call.pen.color : call.color) == color;
  });
}

}  // namespace

TEST(ProfilePalette, SwatchesRunRedFastestAndAClickFindsTheOneUnderThePointer) {
  EXPECT_EQ(SwatchAt(581 + 18 * 8 + 5, 175 + 18 * 2 + 5), 26);
  EXPECT_EQ(SwatchColour(26), (ProfileColour{8, 8, 8}));
  EXPECT_EQ(SwatchColour(1), (ProfileColour{4, 0, 0}));
  EXPECT_EQ(SwatchColour(3), (ProfileColour{0, 4, 0}));
  EXPECT_EQ(SwatchColour(9), (ProfileColour{0, 0, 4}));
  EXPECT_EQ(SwatchAt(580, 174), 0) << "the frame belongs to its swatch";
  EXPECT_EQ(SwatchAt(578, 174), -1);
  EXPECT_EQ(SwatchOf({0, 8, 0}), 6);
  EXPECT_EQ(SwatchOf({3, 0, 0}), -1);
  EXPECT_EQ(StoredColour({8, 4, 0}), (Rgba{255, 127, 0, 255}));
}

TEST(ButtonPagePainter, ThePaletteShowsOnlyWhileItHasAlphaWithTheCurrentColourFramedWhite) {
  PaintSnapshot snapshot = WithProfiles();
  RecordingCanvas closed;
  PaintButtonPageContents(snapshot, closed);
  EXPECT_FALSE(HasCall(closed.OfKind(CanvasCall::FillRect), {572, 166, 178, 70}, {22, 22, 22, 170}, false));

  snapshot.buttonPage.paletteAlpha = 200;
  RecordingCanvas open;
  PaintButtonPageContents(snapshot, open);
  const auto fills = open.OfKind(CanvasCall::FillRect);
  const auto frames = open.OfKind(CanvasCall::DrawRect);
  EXPECT_TRUE(HasCall(fills, {572, 166, 178, 70}, {22, 22, 22, 170}, false));
  // Swatch 6 (green at its top level) is the current profile's.
  EXPECT_TRUE(HasCall(frames, {688, 174, 16, 16}, {255, 255, 255, 200}, true));
  EXPECT_TRUE(HasCall(fills, {689, 175, 14, 14}, {0, 255, 0, 200}, false));
  EXPECT_TRUE(HasCall(frames, {580, 174, 16, 16}, {55, 55, 55, 200}, true));
  EXPECT_TRUE(HasCall(fills, {582, 176, 12, 12}, {0, 0, 0, 200}, false));
  EXPECT_EQ(std::count_if(frames.begin(), frames.end(), [](const CanvasCall& c) { return c.rect.width == 16; }), 27);
}

TEST(ButtonPagePainter, ProfilesShowTheirColoursAndNamesWithTheCurrentOneInWhite) {
  PaintSnapshot snapshot = WithProfiles();
  RecordingCanvas canvas;
  PaintButtonPageContents(snapshot, canvas);
  const auto texts = canvas.OfKind(CanvasCall::Text);
  ASSERT_EQ(texts.size(), 7u);
  EXPECT_EQ(texts[1].text, u"P2");
  EXPECT_EQ(texts[1].textStyle.color, (Rgba{255, 255, 255, 255}));
  EXPECT_NE(texts[2].textStyle.color, (Rgba{255, 255, 255, 255}));
  EXPECT_TRUE(HasCall(canvas.OfKind(CanvasCall::FillRect), kProfileColourSwatch, {0, 255, 0, 255}, false));
  const std::vector<int> images = canvas.ImageIds();
  EXPECT_EQ(images.size(), 22u) << "twelve badges and ten row markers";

  snapshot.buttonPage = {};
  RecordingCanvas none;
  PaintButtonPageContents(snapshot, none);
  EXPECT_TRUE(none.OfKind(CanvasCall::Text).empty()) << "no mouse, no profiles";
}
