#pragma once
// What one paint of the main window does after it has rebuilt the surface
// from the pristine background: which controls it must leave alone, and the
// painters it runs for the current page, in order.
#include <functional>
#include <vector>

#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"
#include "ui/SkinLayout.h"

enum class PaintStep {
  TabStrip,
  TextItems,
  MacroListPane,
  MacroStepList,
  PaneFrames,  // pane frames and the macro tool icons
  ListRefresh,  // the macro page's list refresh, run inside the paint
  ButtonPageFixed,
  ButtonPageContents,
  ResolutionPageFixed,
  ResolutionLevels,
  ProfileNames,  // the names the mouse keeps for its profiles
  GuideArrows,
  BusyOverlay,
};

// The steps of a paint of `page`. Each page's fixed parts come before its
// live contents; the busy overlay is always last.
std::vector<PaintStep> PaintOrder(int page, bool listRefreshDue);

// A control's region that a paint leaves out of its clip: a rectangle, or
// the rounded outline (3 x 3 corner ellipse) of a function list.
struct PaintExclusion {
  int controlId = 0;
  RectI rect;
  int cornerEllipse = 0;
};

// When the controls-changed flag is set: clears it and returns the regions
// of the visible skinned controls that paint themselves (caption and window
// buttons, the check box, the function lists and the sliders; never the
// macro list or its scroll bar). Otherwise returns nothing.
std::vector<PaintExclusion> TakeExclusions(int& controlsChanged, const SkinLayout& layout,
                                           const std::vector<int>& visibleControls);

// Runs the paint's steps on `canvas`. The steps painted elsewhere go to
// `otherStep`, in their place in the order.
void PaintWindow(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas,
                 const std::function<void(PaintStep)>& otherStep);
