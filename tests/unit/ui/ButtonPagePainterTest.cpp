// The button page's contents: the palette as it opens, the colours a swatch
// stands for, the software profiles with the current one marked, and the
// names the mouse keeps for its profiles, shown apart from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/RecordingCanvas.h"
#include "ui/ButtonPagePainter.h"
#include "ui/ProfileNamePainter.h"
#include "ui/SkinLayout.h"

namespace {

PaintSnapshot WithProfiles() {
  PaintSnapshot snapshot;
  ButtonPageView& view = snapshot.buttonPage;
  view.profileCount = kProfileRows;
  view.currentProfile = 1;
  for (int i = 0; i < kProfileRows; ++i) view.profileNames[static_cast<std::size_t>(i)] = u"P" + std::u16string(1, u'1' + i);
  view.profileColours[1] = {0, 8, 0};
  view.profileColours[2] = {0, 0, 4};
  view.mouseProfileNames = {u"Work", u"", u"Games", u"", u""};
  return snapshot;
}

bool HasCall(const std::vector<CanvasCall>& calls, const RectI& rect, const Rgba& color, bool pen) {
  return std::any_of(calls.begin(), calls.end(), [&](const CanvasCall& call) {
    return call.rect == rect && (pen ? call.pen.color : call.color) == color;
  });
}

std::vector<std::u16string> Texts(const RecordingCanvas& canvas) {
  std::vector<std::u16string> texts;
  for (const CanvasCall& call : canvas.OfKind(CanvasCall::Text)) texts.push_back(call.text);
  return texts;
}

}  // namespace

TEST(ProfilePalette, SwatchesRunRedFastestThenGreenThenBlue) {
  EXPECT_EQ(SwatchColour(26), (ProfileColour{8, 8, 8}));
  EXPECT_EQ(SwatchColour(1), (ProfileColour{4, 0, 0}));
  EXPECT_EQ(SwatchColour(3), (ProfileColour{0, 4, 0}));
  EXPECT_EQ(SwatchColour(9), (ProfileColour{0, 0, 4}));
  EXPECT_EQ(SwatchOf({0, 8, 0}), 6);
  EXPECT_EQ(SwatchOf({3, 0, 0}), -1);
  EXPECT_EQ(StoredColour({8, 4, 0}), (Rgba{255, 127, 0, 255}));
}

TEST(ButtonPagePainter, ThePaletteShowsOnlyWhileItHasAlphaWithTheCurrentColourFramedWhite) {
  PaintSnapshot snapshot = WithProfiles();
  RecordingCanvas closed;
  PaintButtonPageContents(snapshot, closed);
  EXPECT_FALSE(HasCall(closed.OfKind(CanvasCall::FillRect), kPalettePanel, {22, 22, 22, 170}, false));

  snapshot.buttonPage.paletteAlpha = 200;
  RecordingCanvas open;
  PaintButtonPageContents(snapshot, open);
  const auto fills = open.OfKind(CanvasCall::FillRect);
  const auto frames = open.OfKind(CanvasCall::DrawRect);
  EXPECT_TRUE(HasCall(fills, kPalettePanel, {22, 22, 22, 170}, false));
  // Swatch 6 (green at its top level) is the current profile's.
  const RectI current = PaletteSwatchFrame(6);
  EXPECT_TRUE(HasCall(frames, current, {255, 255, 255, 200}, true));
  EXPECT_TRUE(HasCall(fills, {current.x + 1, current.y + 1, 14, 14}, {0, 255, 0, 200}, false));
  EXPECT_TRUE(HasCall(frames, PaletteSwatchFrame(0), {55, 55, 55, 200}, true));
}

TEST(ButtonPagePainter, SoftwareProfilesShowTheirLibraryNamesAndColoursNotTheMousesNames) {
  PaintSnapshot snapshot = WithProfiles();
  RecordingCanvas canvas;
  PaintButtonPageContents(snapshot, canvas);
  const auto texts = canvas.OfKind(CanvasCall::Text);
  ASSERT_EQ(texts.size(), 7u);
  EXPECT_EQ(texts[0].text, u"P1");
  EXPECT_EQ(texts[1].textStyle.color, (Rgba{255, 255, 255, 255})) << "the current profile";
  EXPECT_NE(texts[2].textStyle.color, (Rgba{255, 255, 255, 255}));
  EXPECT_TRUE(HasCall(canvas.OfKind(CanvasCall::FillRect), kProfileColourSwatch, {0, 255, 0, 255}, false));
  // Buttons 11 and 12 have badges and markers of their own.
  const std::vector<int> images = canvas.ImageIds();
  EXPECT_EQ(std::set<int>(images.begin(), images.end()).size(), 24u);

  snapshot.buttonPage = {};
  RecordingCanvas none;
  PaintButtonPageContents(snapshot, none);
  EXPECT_TRUE(none.OfKind(CanvasCall::Text).empty()) << "no mouse, no profiles";
}

TEST(ProfileNamePainter, ShowsTheMousesNamesForItsFiveProfilesAndNumbersTheRest) {
  RecordingCanvas canvas;
  PaintProfileNames(WithProfiles(), canvas);
  const std::vector<std::u16string> texts = Texts(canvas);
  ASSERT_EQ(texts.size(), 14u);
  const std::vector<std::u16string> names = {texts[1], texts[3], texts[5], texts[7], texts[9], texts[11], texts[13]};
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Work", u"profile 2", u"Games", u"profile 4", u"profile 5",
                                                u"profile 6", u"profile 7"}));
  EXPECT_EQ(texts[12], u"7");
  EXPECT_EQ(canvas.ImagesOf("profile-name strip").size(), 7u);
}
