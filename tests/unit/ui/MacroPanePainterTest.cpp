#include <gtest/gtest.h>

#include "macro/StepTexts.h"
#include "support/FullSnapshot.h"
#include "support/RecordingCanvas.h"
#include "ui/ButtonPagePainter.h"
#include "ui/GuideArrowPainter.h"
#include "ui/MacroLayout.h"
#include "ui/MacroPanePainter.h"
#include "ui/MacroToolPainter.h"

namespace {

const SkinLayout& Layout() {
  static const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
  return layout;
}

// Library and editor with `rows` rows each, the editor active.
PaintSnapshot WithRows(int rows) {
  PaintSnapshot snapshot;
  snapshot.page = kMacroPage;
  snapshot.macroPage.activePane = 1;
  for (int row = 0; row < rows; ++row) {
    snapshot.macroPage.libraryRows.push_back({u"macro", false, false, false, 0, false});
    snapshot.macroPage.stepRows.push_back({u"0000", kIconWait, u"step"});
  }
  return snapshot;
}

int TextsOf(const RecordingCanvas& canvas, const std::u16string& text) {
  int count = 0;
  for (const CanvasCall& call : canvas.OfKind(CanvasCall::Text)) count += call.text == text ? 1 : 0;
  return count;
}

// Everything but the clip lies within `pane` and the shadow a pixel beyond it.
void ExpectInside(const RecordingCanvas& canvas, const RectI& pane) {
  for (const CanvasCall& call : canvas.calls) {
    if (call.kind == CanvasCall::PushClip || call.kind == CanvasCall::PopClip) continue;
    RectI drawn = RecordingCanvas::Covered(call);
    for (const PointF& point : call.points) drawn = {static_cast<int>(point.x), static_cast<int>(point.y), 1, 1};
    EXPECT_TRUE(drawn.x >= pane.x && drawn.y >= pane.y && drawn.x + drawn.width <= pane.x + pane.width + 1 &&
                drawn.y + drawn.height <= pane.y + pane.height + 1)
        << drawn.x << "," << drawn.y << " " << drawn.width << "x" << drawn.height;
  }
}

}  // namespace

TEST(MacroPanePainter, DrawsOnlyTheRowsItIsGivenAndAtMostAPaneFullInsideItsPane) {
  for (int rows : {0, 3, 20}) {
    const PaintSnapshot snapshot = WithRows(rows);
    RecordingCanvas library;
    PaintMacroListPane(snapshot, Layout(), library);
    EXPECT_EQ(TextsOf(library, u"macro"), std::min(rows, kLibraryRows));
    ExpectInside(library, kLibraryPane);
    RecordingCanvas steps;
    PaintMacroStepList(snapshot, Layout(), steps);
    EXPECT_EQ(TextsOf(steps, u"step"), std::min(rows, kStepRows));
    EXPECT_EQ(steps.ImagesOf("macro step icon").size(), static_cast<size_t>(std::min(rows, kStepRows)));
    ExpectInside(steps, kStepPane);
  }
}

TEST(MacroPanePainter, ShadesTheActivePaneDarkerAndTheEditorOnlyWhileActive) {
  for (int active : {0, 1}) {
    PaintSnapshot snapshot = WithRows(1);
    snapshot.macroPage.activePane = active;
    RecordingCanvas library;
    PaintMacroListPane(snapshot, Layout(), library);
    EXPECT_EQ(library.OfKind(CanvasCall::FillRect).at(0).color.alpha, active == 0 ? 0xA4 : 0x30);
    RecordingCanvas steps;
    PaintMacroStepList(snapshot, Layout(), steps);
    EXPECT_EQ(steps.OfKind(CanvasCall::FillRect).size(), active == 1 ? 2u : 0u);
  }
}

TEST(MacroPanePainter, WhileADragPlacesACommandItsInsertionMarkReplacesTheSelection) {
  PaintSnapshot snapshot = WithRows(4);
  snapshot.macroPage.activePane = 0;
  snapshot.macroPage.stepSelected = 1;
  RecordingCanvas selected;
  PaintMacroStepList(snapshot, Layout(), selected);
  ASSERT_EQ(selected.OfKind(CanvasCall::FillRect).size(), 1u);
  EXPECT_TRUE(selected.OfKind(CanvasCall::DrawRect).empty());

  snapshot.macroPage.insertionRow = 2;
  RecordingCanvas dragging;
  PaintMacroStepList(snapshot, Layout(), dragging);
  EXPECT_TRUE(dragging.OfKind(CanvasCall::FillRect).empty());
  const std::vector<CanvasCall> marks = dragging.OfKind(CanvasCall::DrawRect);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].rect.y + marks[0].rect.height + 1, StepRowRect(2).y + kMacroRowHeight);
  EXPECT_EQ(marks[0].pen.color, (Rgba{210, 210, 210, 0xC8}));
}

TEST(MacroPanePainter, StepIconsFollowTheIconClassesOfTheRows) {
  PaintSnapshot snapshot = WithRows(0);
  for (int kind : {kIconNone, kIconWait, kIconKeyUp, kIconOnce, kIconFirekey, kIconWheel, kIconSystem}) {
    snapshot.macroPage.stepRows.push_back({u"0000", kind, u"step"});
  }
  RecordingCanvas canvas;
  PaintMacroStepList(snapshot, Layout(), canvas);
  EXPECT_EQ(canvas.ImageIds(), (std::vector<int>{210, 212, 220, 219, 227, 216}));
}

TEST(MacroToolPainter, LightsTheDropTargetAndShowsThePromptFocusAndProgressOnlyWhileDue) {
  PaintSnapshot snapshot = WithRows(0);
  RecordingCanvas quiet;
  PaintPaneFrames(snapshot, Layout(), quiet);
  EXPECT_EQ(quiet.ImageIds().front(), 241);
  EXPECT_EQ(quiet.OfKind(CanvasCall::DrawRect).size(), 2u);
  EXPECT_EQ(quiet.OfKind(CanvasCall::DrawRect)[1].pen.color, (Rgba{58, 65, 76, 255}));
  EXPECT_EQ(TextsOf(quiet, u"Please press any key on your keyboard"), 0);

  snapshot.macroPage = FullMacroPage();
  snapshot.macroPage.recordIntervals = false;
  RecordingCanvas busy;
  PaintPaneFrames(snapshot, Layout(), busy);
  EXPECT_EQ(busy.ImageIds().front(), 243);
  EXPECT_EQ(busy.ImageIds().back(), 221);
  EXPECT_EQ(busy.OfKind(CanvasCall::DrawRect)[1].pen.color, (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(TextsOf(busy, u"Please press any key on your keyboard"), 1);
  const CanvasCall bar = busy.OfKind(CanvasCall::FillRect).back();
  EXPECT_NEAR(bar.rect.width, (StoreProgressRect().width - 3) / 2, 1);
}

TEST(ButtonPagePainter, EveryBadgeLightsWhileAMacroIsDraggedAndTheOneUnderItIsOutlined) {
  PaintSnapshot snapshot;
  snapshot.buttonPage.dropTargetsLit = true;
  snapshot.buttonPage.dropButton = 5;
  RecordingCanvas canvas;
  PaintButtonPageContents(snapshot, canvas);
  const std::vector<CanvasCall> badges = canvas.ImagesOf("button badge");
  ASSERT_EQ(badges.size(), static_cast<size_t>(kMouseButtons));
  for (int b = 0; b < kMouseButtons; ++b) EXPECT_EQ(badges[static_cast<size_t>(b)].imageId, BadgeImage(b, true));
  const std::vector<CanvasCall> outlines = canvas.OfKind(CanvasCall::DrawRect);
  ASSERT_EQ(outlines.size(), 1u);
  EXPECT_TRUE(outlines[0].rect.Contains(BadgeRect(5).x, BadgeRect(5).y));
}

TEST(GuideArrowPainter, DrawsEachGuideStepsArrowsForThePage) {
  using Arrows = std::vector<std::vector<PointF>>;
  const auto arrows = [](int page, int step) {
    PaintSnapshot snapshot;
    snapshot.page = page;
    snapshot.macroPage.guideStep = step;
    snapshot.macroPage.guideAlpha = 0x90;
    RecordingCanvas canvas;
    PaintGuideArrows(snapshot, canvas);
    Arrows drawn;
    for (const CanvasCall& line : canvas.OfKind(CanvasCall::Line)) {
      EXPECT_EQ(line.pen.color, (Rgba{205, 152, 50, 0x90}));
      EXPECT_EQ(line.pen.width, 13);
      EXPECT_EQ(line.pen.startCap, LineCap::Flat);
      EXPECT_EQ(line.pen.endCap, LineCap::ArrowAnchor);
      drawn.push_back(line.points);
    }
    return drawn;
  };
  const std::vector<PointF> up{{314, 212}, {314, 177}};
  const std::vector<PointF> intoEditor{{325, 242}, {360, 242}};
  const std::vector<PointF> intoLibrary{{308, 242}, {273, 242}};
  for (int page : {kButtonPage, kMacroPage}) EXPECT_TRUE(arrows(page, 0).empty());
  for (int step : {1, 4}) {
    EXPECT_EQ(arrows(kMacroPage, step), (Arrows{up, intoEditor}));
    EXPECT_EQ(arrows(kButtonPage, step), (Arrows{{{301, 272}, {336, 272}}}));
  }
  for (int step : {2, 5}) EXPECT_EQ(arrows(kButtonPage, step), (Arrows{up, intoLibrary}));
  for (int step : {3, 6}) EXPECT_EQ(arrows(kMacroPage, step), (Arrows{{{335, 292}, {370, 292}}}));
  EXPECT_EQ(arrows(kMacroPage, 7), (Arrows{up}));
}
