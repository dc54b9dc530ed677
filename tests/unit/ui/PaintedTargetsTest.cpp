// What a click or a drop is tested against is what the painters drew there,
// and no control of the page lies over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/UiText.h"
#include "base/IniFile.h"
#include "support/FullSnapshot.h"
#include "support/RecordingCanvas.h"
#include "ui/ButtonPagePainter.h"
#include "ui/MacroLayout.h"
#include "ui/MacroPanePainter.h"
#include "ui/MacroToolPainter.h"
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

// Every pixel of `drawn` is on row `want`.
void ExpectOnRow(const RectI& drawn, const std::function<int(int, int)>& rowAt, int want) {
  for (int y = drawn.y; y < drawn.y + drawn.height; ++y) {
    for (int x = drawn.x; x < drawn.x + drawn.width; ++x) ASSERT_EQ(rowAt(x, y), want) << x << "," << y;
  }
}

RectI Centre(const RectI& rect) { return {rect.x + rect.width / 2, rect.y + rect.height / 2, 1, 1}; }

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

TEST(PaintedTargets, MacroRowsToolboxAndRecordBoxAreHitWhereThePaintersDrewThem) {
  const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
  PaintSnapshot snapshot;
  snapshot.page = kMacroPage;
  snapshot.macroPage = FullMacroPage();
  MacroPageView& view = snapshot.macroPage;
  view.litTool = -1;
  for (int row = 0; row < kLibraryRows; ++row) {
    view.librarySelected = row;
    view.stepSelected = row;
    RecordingCanvas library;
    PaintMacroListPane(snapshot, layout, library);
    // Backing, shadow, then the selection; the rename box opens on the name.
    ExpectOnRow(library.OfKind(CanvasCall::FillRect).at(2).rect, LibraryRowAt, row);
    const LibraryRowView& entry = view.libraryRows[static_cast<size_t>(row)];
    for (const CanvasCall& text : library.OfKind(CanvasCall::Text)) {
      if (text.text == entry.name && !entry.inGroup) {
        EXPECT_EQ(text.rect, LibraryNameRect(row));
      }
    }
    if (row >= kStepRows) continue;
    RecordingCanvas steps;
    PaintMacroStepList(snapshot, layout, steps);
    ExpectOnRow(steps.OfKind(CanvasCall::FillRect).at(2).rect, StepRowAt, row);
    const CanvasCall icon = steps.ImagesOf("macro step icon").at(static_cast<size_t>(row));
    EXPECT_EQ(RecordingCanvas::Covered(icon), StepIconRect(row));
    ExpectOnRow(Centre(StepIconRect(row)), StepRowAt, row);
    const RectI text = steps.OfKind(CanvasCall::Text).at(static_cast<size_t>(2 * row + 1)).rect;
    const RectI wait = WaitValueRect(row);
    EXPECT_TRUE(text.Contains(wait.x, wait.y) && text.Contains(wait.x + wait.width - 1, wait.y + wait.height - 1));
  }
  // Rows meet at their separators: the dark line ends a row, the light one
  // starts the next.
  RecordingCanvas library;
  PaintMacroListPane(snapshot, layout, library);
  const std::vector<CanvasCall> lines = library.OfKind(CanvasCall::Line);
  ASSERT_EQ(lines.size(), 2u * (kLibraryRows - 1) - 2);
  int darkLines = 0;
  for (const CanvasCall& line : lines) {
    const int x = static_cast<int>(line.points[0].x);
    const int y = static_cast<int>(line.points[0].y);
    if (line.pen.color.red == 0) {
      EXPECT_EQ(LibraryRowAt(x, y) + 1, LibraryRowAt(x, y + 1));
      ++darkLines;
    } else {
      EXPECT_EQ(LibraryRowAt(x, y - 1) + 1, LibraryRowAt(x, y));
    }
  }
  EXPECT_EQ(darkLines, kLibraryRows - 3);
  // Folder icons of the two groups.
  const std::vector<CanvasCall> folders = library.ImagesOf("folder button");
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(RecordingCanvas::Covered(folders[0]), FolderIconRect(0));
  EXPECT_EQ(RecordingCanvas::Covered(folders[1]), FolderIconRect(4));
  ExpectOnRow(FolderIconRect(4), LibraryRowAt, 4);
  // The toolbox of each page, and the record box on the macro page.
  for (int page = 0; page < kPageCount; ++page) {
    snapshot.page = page;
    RecordingCanvas tools;
    PaintPaneFrames(snapshot, layout, tools);
    const std::vector<CanvasCall> images = tools.OfKind(CanvasCall::Image);
    const size_t items = page == kMacroPage ? 7u : page == kButtonPage ? 2u : 0u;
    ASSERT_EQ(images.size(), items + (page == kMacroPage ? 1u : 0u));
    const std::array<RectI, kToolboxItems> places = ToolboxItems(page);
    for (size_t item = 0; item < items; ++item) {
      const RectI drawn = RecordingCanvas::Covered(images[item]);
      EXPECT_EQ(drawn, places[item]);
      ExpectHitExactly(drawn, [&](int x, int y) { return ToolboxItemAt(page, x, y); }, static_cast<int>(item));
    }
    for (size_t item = items; item < places.size(); ++item) EXPECT_EQ(places[item].width, 0);
    if (page == kMacroPage) {
      EXPECT_EQ(RecordingCanvas::Covered(images.back()), RecordIntervalsBox());
    }
  }
}

TEST(PaintedTargets, NoControlOfAPageCoversWhatItsPaintersDrawNorTheVersionLabel) {
  PaintSnapshot snapshot = ButtonPage(-1);
  snapshot.macroPage = FullMacroPage();
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
