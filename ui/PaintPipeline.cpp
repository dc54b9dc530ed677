#include "ui/PaintPipeline.h"

#include <algorithm>

#include "ui/BusyOverlayPainter.h"
#include "ui/ButtonPagePainter.h"
#include "ui/GuideArrowPainter.h"
#include "ui/MacroPanePainter.h"
#include "ui/MacroToolPainter.h"
#include "ui/PageFixedPainter.h"
#include "ui/ProfileNamePainter.h"
#include "ui/ResolutionPagePainter.h"
#include "ui/TabStripPainter.h"
#include "ui/TextItemPainter.h"

namespace {

// The controls whose own painting a full repaint would flicker over.
std::vector<int> SelfPaintingControls() {
  std::vector<int> ids = {kControlClose,  kControlMinimise, kControlBackup, kControlRestore,
                          kControlEnable, kControlClear,    kControlExport, kControlImport,
                          kControlRecord, kControlReset,    kControlTieBox};
  ids.insert(ids.end(), kFunctionListIds.begin(), kFunctionListIds.end());
  ids.push_back(kControlSliderX);
  ids.push_back(kControlSliderY);
  return ids;
}

}  // namespace

std::vector<PaintStep> PaintOrder(int page, bool listRefreshDue) {
  using S = PaintStep;
  std::vector<S> steps = {S::TabStrip, S::TextItems};
  switch (page) {
    case 0:
      steps.insert(steps.end(), {S::MacroListPane, S::PaneFrames, S::ButtonPageFixed, S::ButtonPageContents,
                                 S::GuideArrows});
      break;
    case 1:
      steps.insert(steps.end(), {S::ResolutionPageFixed, S::ResolutionLevels, S::ProfileNames});
      break;
    case 2:
      steps.insert(steps.end(), {S::MacroListPane, S::MacroStepList, S::PaneFrames});
      if (listRefreshDue) steps.push_back(S::ListRefresh);
      steps.push_back(S::GuideArrows);
      break;
    default:
      break;
  }
  steps.push_back(S::BusyOverlay);
  return steps;
}

std::vector<PaintExclusion> TakeExclusions(int& controlsChanged, const SkinLayout& layout,
                                           const std::vector<int>& visibleControls) {
  std::vector<PaintExclusion> exclusions;
  if (controlsChanged != 1) return exclusions;
  controlsChanged = 0;
  for (int id : SelfPaintingControls()) {
    if (std::find(visibleControls.begin(), visibleControls.end(), id) == visibleControls.end()) continue;
    const ControlPlacement* placement = FindControl(layout, id);
    if (!placement) continue;
    exclusions.push_back({id, placement->rect, placement->kind == ControlClass::ComboBox ? 3 : 0});
  }
  return exclusions;
}

void PaintWindow(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas,
                 const std::function<void(PaintStep)>& otherStep) {
  for (PaintStep step : PaintOrder(snapshot.page, snapshot.listRefreshDue)) {
    switch (step) {
      case PaintStep::TabStrip:
        PaintTabStrip(snapshot, layout, canvas);
        break;
      case PaintStep::TextItems:
        PaintTextItems(snapshot, layout, canvas);
        break;
      case PaintStep::MacroListPane:
        PaintMacroListPane(snapshot, layout, canvas);
        break;
      case PaintStep::MacroStepList:
        PaintMacroStepList(snapshot, layout, canvas);
        break;
      case PaintStep::PaneFrames:
        PaintPaneFrames(snapshot, layout, canvas);
        break;
      case PaintStep::GuideArrows:
        PaintGuideArrows(snapshot, canvas);
        break;
      case PaintStep::ButtonPageFixed:
      case PaintStep::ResolutionPageFixed:
        PaintPageFixedParts(snapshot, layout, canvas);
        break;
      case PaintStep::ButtonPageContents:
        PaintButtonPageContents(snapshot, canvas);
        break;
      case PaintStep::ResolutionLevels:
        PaintResolutionLevels(snapshot, canvas);
        break;
      case PaintStep::ProfileNames:
        PaintProfileNames(snapshot, canvas);
        break;
      case PaintStep::BusyOverlay:
        PaintBusyOverlay(snapshot, layout, canvas);
        break;
      default:
        if (otherStep) otherStep(step);
        break;
    }
  }
}
