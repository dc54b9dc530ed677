// What a click or a drop is tested against is what the painters drew there,
// and no control of the page lies over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/UiText.h"
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

bool HasFill(const RecordingCanvas& canvas, const RectI& rect) {
  const std::vector<CanvasCall> fills = canvas.OfKind(CanvasCall::FillRect);
  return std::any_of(fills.begin(), fills.end(), [&](const CanvasCall& call) { return call.rect == rect; });
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

TEST(PaintedTargets, EveryHitTestFindsExactlyWhatThePaintersDrewThere) {
  // Level buttons, plain or pressed.
  for (int current = 0; current < kLevelButtons; ++current) {
    PaintSnapshot snapshot;
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
  // Badges, plain or lit, and the markers on the mouse.
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
  // Palette swatches, inside the panel that holds the palette open and is
  // repainted as it fades.
  RecordingCanvas palette;
  PaintButtonPageContents(ButtonPage(-1), palette);
  int swatch = 0;
  for (const CanvasCall& call : palette.OfKind(CanvasCall::DrawRect)) {
    if (call.rect.width != 16) continue;
    ExpectHitExactly(call.rect, SwatchAt, swatch++);
    EXPECT_TRUE(kPalettePanel.Contains(call.rect.x, call.rect.y) &&
                kPalettePanel.Contains(call.rect.x + call.rect.width, call.rect.y + call.rect.height));
  }
  EXPECT_EQ(swatch, 27);
  EXPECT_TRUE(HasFill(palette, kPalettePanel));
  EXPECT_EQ(HoverPanelRect(), kPalettePanel);
  // Tabs, by their picture or the bar: the rectangles the controller hit-tests.
  const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
  for (int page = 0; page < kPageCount; ++page) {
    PaintSnapshot snapshot;
    snapshot.page = page;
    snapshot.hoverTab = (page + 1) % kPageCount;
    RecordingCanvas canvas;
    PaintTabStrip(snapshot, layout, canvas);
    EXPECT_EQ(RecordingCanvas::Covered(canvas.OfKind(CanvasCall::Image).at(0)), layout.tabs[static_cast<size_t>(page)].rect);
    EXPECT_TRUE(HasFill(canvas, layout.tabs[static_cast<size_t>(snapshot.hoverTab)].rect));
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
