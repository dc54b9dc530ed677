// What a click or a drop is tested against is what the painters drew there,
// and no control of the page lies over it.
#include <gtest/gtest.h>

#include <functional>

#include "base/IniFile.h"
#include "support/RecordingCanvas.h"
#include "ui/ButtonPagePainter.h"
#include "ui/PaintPipeline.h"
#include "ui/ResolutionPagePainter.h"
#include "ui/TabStripPainter.h"

namespace {

// `hit` finds `want` everywhere inside `drawn` and nowhere on the two-pixel
// ring around it.
void ExpectHitExactly(const RectI& drawn, const std::function<int(int, int)>& hit, int want) {
  ASSERT_GT(drawn.width, 0);
  for (int y = drawn.y - 2; y < drawn.y + drawn.height + 2; ++y) {
    for (int x = drawn.x - 2; x < drawn.x + drawn.width + 2; ++x) {
      ASSERT_EQ(hit(x, y) == want, drawn.Contains(x, y)) << "target " << want << " at " << x << "," << y;
    }
  }
}

bool Overlap(const RectI& a, const RectI& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// The count of `drawn` rectangles that a control shown on `page` overlaps.
int CoveredOnPage(const SkinLayout& layout, const std::vector<RectI>& drawn, int page) {
  int covered = 0;
  for (const RectI& rect : drawn) {
    for (int id : PageControls(page)) covered += Overlap(rect, FindControl(layout, id)->rect) ? 1 : 0;
  }
  return covered;
}

PaintSnapshot ButtonPage(int highlighted) {
  PaintSnapshot snapshot;
  ButtonPageView& view = snapshot.buttonPage;
  view.profileCount = kProfileRows;
  view.currentProfile = 0;
  view.paletteAlpha = 255;
  view.highlightedButton = highlighted;
  return snapshot;
}

}  // namespace

TEST(PaintedTargets, LevelButtonsAreHitWhereTheyAreDrawnPlainOrPressed) {
  for (int current = 0; current < kLevelButtons; ++current) {
    PaintSnapshot snapshot;
    snapshot.page = 1;
    snapshot.resolution.current = current;
    snapshot.resolution.mouseConnected = true;
    RecordingCanvas canvas;
    PaintResolutionLevels(snapshot, canvas);
    const std::vector<CanvasCall> buttons = canvas.ImagesOf("level button");
    ASSERT_EQ(buttons.size(), 4u);
    for (int level = 0; level < kLevelButtons; ++level) {
      ExpectHitExactly(RecordingCanvas::Covered(buttons[static_cast<size_t>(level)]), LevelButtonAt, level);
    }
  }
}

TEST(PaintedTargets, ButtonBadgesAndMarkersAreHitWhereTheyAreDrawnPlainOrLit) {
  for (int lit : {-1, 9, 11}) {
    RecordingCanvas canvas;
    PaintButtonPageContents(ButtonPage(lit), canvas);
    const std::vector<CanvasCall> badges = canvas.ImagesOf("button badge");
    const std::vector<CanvasCall> markers = canvas.ImagesOf("row marker");
    ASSERT_EQ(badges.size(), 12u);
    ASSERT_EQ(markers.size(), 12u);
    for (int b = 0; b < kMouseButtons; ++b) {
      ExpectHitExactly(RecordingCanvas::Covered(badges[static_cast<size_t>(b)]), ButtonAt, b);
      ExpectHitExactly(RecordingCanvas::Covered(markers[static_cast<size_t>(b)]), ButtonAt, b);
    }
  }
}

TEST(PaintedTargets, PaletteSwatchesAreHitWhereTheyAreFramedInsideThePanelThatHoldsAndRepaintsThem) {
  RecordingCanvas canvas;
  PaintButtonPageContents(ButtonPage(-1), canvas);
  std::vector<CanvasCall> frames;
  for (const CanvasCall& call : canvas.OfKind(CanvasCall::DrawRect)) {
    if (call.rect.width == 16) frames.push_back(call);
  }
  ASSERT_EQ(frames.size(), 27u);
  RectI panel;
  for (const CanvasCall& call : canvas.OfKind(CanvasCall::FillRect)) {
    if (call.color.red == 22) panel = call.rect;
  }
  EXPECT_EQ(panel, kPalettePanel);
  EXPECT_EQ(panel, HoverPanelRect());
  for (int n = 0; n < 27; ++n) {
    const RectI frame = frames[static_cast<size_t>(n)].rect;
    ExpectHitExactly(frame, SwatchAt, n);
    EXPECT_TRUE(panel.Contains(frame.x, frame.y) && panel.Contains(frame.x + frame.width, frame.y + frame.height));
  }
}

TEST(PaintedTargets, TabsAreHitWhereTheirPictureOrTheBarIsDrawn) {
  const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
  for (int page = 0; page < kPageCount; ++page) {
    PaintSnapshot snapshot;
    snapshot.page = page;
    snapshot.hoverTab = (page + 1) % kPageCount;
    RecordingCanvas canvas;
    PaintTabStrip(snapshot, layout, canvas);
    const std::vector<CanvasCall> pictures = canvas.OfKind(CanvasCall::Image);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(RecordingCanvas::Covered(pictures[0]), layout.tabs[static_cast<size_t>(page)].rect);
    EXPECT_EQ(canvas.OfKind(CanvasCall::FillRect).at(0).rect, layout.tabs[static_cast<size_t>(snapshot.hoverTab)].rect);
  }
}

TEST(PaintedTargets, NoControlOfAPageCoversWhatItsPaintersDrawNorTheVersionLabel) {
  PaintSnapshot snapshot = ButtonPage(-1);
  snapshot.extraText = LoadUiText(IniFile(), 8192).versionLabel;
  snapshot.resolution.mouseConnected = true;
  const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
  for (int page = 0; page < kPageCount; ++page) {
    snapshot.page = page;
    RecordingCanvas canvas;
    PaintWindow(snapshot, layout, canvas, nullptr);
    // Text items are placed by the language file; only the version label is ours.
    std::vector<RectI> drawn;
    for (const CanvasCall& call : canvas.calls) {
      if (call.kind != CanvasCall::Text) drawn.push_back(RecordingCanvas::Covered(call));
    }
    const LabelSlot& version = *snapshot.extraText;
    drawn.push_back({version.x, version.y, static_cast<int>(version.text.size()) * 7, 16});
    EXPECT_EQ(CoveredOnPage(layout, drawn, page), 0) << "page " << page;
  }
}
