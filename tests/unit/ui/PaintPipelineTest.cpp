#include <gtest/gtest.h>

#include "app/UiText.h"
#include "base/IniFile.h"
#include "support/RecordingCanvas.h"
#include "ui/PaintPipeline.h"

namespace {

using S = PaintStep;

// The steps painted elsewhere, in the order the pipeline hands them out.
std::vector<PaintStep> OtherSteps(const PaintSnapshot& snapshot, RecordingCanvas& canvas) {
  std::vector<PaintStep> steps;
  PaintWindow(snapshot, BuildSkinLayout(BuiltInSkinStyle()), canvas, [&](PaintStep step) { steps.push_back(step); });
  return steps;
}

}  // namespace

TEST(PaintPipeline, RunsEachPagesPaintersInOrderWithTheOverlayLast) {
  PaintSnapshot snapshot;
  snapshot.textItems = TextItemsFrom(LoadUiText(IniFile(), 8192));
  snapshot.busy.counter = 1;
  RecordingCanvas buttons;
  EXPECT_TRUE(OtherSteps(snapshot, buttons).empty());
  // Tab picture, the library's toolbox (discard, new group), then the page's
  // mouse, then its badges; labels before them, overlay after.
  const std::vector<int> images = buttons.ImageIds();
  ASSERT_GE(images.size(), 5u);
  EXPECT_EQ(std::vector<int>(images.begin(), images.begin() + 5), (std::vector<int>{255, 241, 237, 182, 184}));
  EXPECT_EQ(buttons.OfKind(CanvasCall::Line).size(), 2u);
  EXPECT_EQ(buttons.calls.back().kind, CanvasCall::Text);
  // The library's backing and shadow, then the overlay.
  EXPECT_EQ(buttons.OfKind(CanvasCall::FillRect).size(), 3u);

  snapshot.page = 1;
  RecordingCanvas resolution;
  EXPECT_TRUE(OtherSteps(snapshot, resolution).empty());
  // Tab, mouse, level buttons, then the mouse's profile names.
  const std::vector<int> levelImages = resolution.ImageIds();
  ASSERT_EQ(levelImages.size(), 13u);
  EXPECT_EQ(std::vector<int>(levelImages.begin(), levelImages.begin() + 6), (std::vector<int>{256, 161, 159, 167, 171, 174}));
  EXPECT_EQ(resolution.ImagesOf("profile-name strip").size(), 7u);
  EXPECT_TRUE(buttons.ImagesOf("profile-name strip").empty());

  snapshot.page = 2;
  RecordingCanvas macros;
  EXPECT_TRUE(OtherSteps(snapshot, macros).empty());
  // Tab, the toolbox (discard, six templates), the ticked record box.
  EXPECT_EQ(macros.ImageIds(), (std::vector<int>{254, 241, 210, 211, 212, 214, 215, 227, 222}));
  snapshot.listRefreshDue = true;
  EXPECT_EQ(OtherSteps(snapshot, macros), (std::vector<S>{S::ListRefresh}));
}

TEST(PaintPipeline, LeavesVisibleSelfPaintingControlsOutOnceAfterTheyChanged) {
  const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
  std::vector<int> visible = AllPageControls();
  visible.insert(visible.end(), {kControlClose, kControlMinimise, kControlEnable, kControlNumberEdit});
  int controlsChanged = 1;
  const std::vector<PaintExclusion> excluded = TakeExclusions(controlsChanged, layout, visible);
  EXPECT_EQ(controlsChanged, 0);
  // Eleven buttons, twelve lists, two sliders; never the macro list, its
  // scroll bar or an edit.
  ASSERT_EQ(excluded.size(), 25u);
  for (const PaintExclusion& exclusion : excluded) {
    EXPECT_NE(exclusion.controlId, kControlMacroList);
    EXPECT_NE(exclusion.controlId, kControlMacroScroll);
    EXPECT_NE(exclusion.controlId, kControlNameEdit);
    const ControlPlacement& placement = *FindControl(layout, exclusion.controlId);
    EXPECT_EQ(exclusion.rect, placement.rect);
    EXPECT_EQ(exclusion.cornerEllipse, placement.kind == ControlClass::ComboBox ? 3 : 0) << exclusion.controlId;
  }
  EXPECT_TRUE(TakeExclusions(controlsChanged, layout, visible).empty());

  controlsChanged = 1;
  const std::vector<PaintExclusion> onlyClose = TakeExclusions(controlsChanged, layout, {kControlClose, kControlMacroList});
  ASSERT_EQ(onlyClose.size(), 1u);
  EXPECT_EQ(onlyClose[0].controlId, kControlClose);
}
