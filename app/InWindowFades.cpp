#include "app/InWindowFades.h"

#include <algorithm>

#include "ui/SkinLayout.h"

namespace {

// One step of `value` towards `target`; true when it moved.
bool StepTowards(int& value, int target, int step) {
  if (value == target) return false;
  value = value < target ? std::min(value + step, target) : std::max(value - step, target);
  return true;
}

}  // namespace

void InWindowFades::SetButtonHighlight(bool visible, const RectI& area) {
  highlightWanted = visible;
  if (visible) {
    highlightState = true;
    highlightArea = area;
  }
}

void InWindowFades::ClearButtonHighlight() {
  highlightState = false;
  highlightWanted = false;
  highlightAlpha = 0;
}

void InWindowFades::HoldHoverPanel(int seconds) { hoverCountdown = std::max(seconds, 0); }

void InWindowFades::CountdownTick() {
  if (hoverCountdown > 0) --hoverCountdown;
}

void InWindowFades::FadeTick(WindowActions& out) {
  if (highlightState) {
    if (StepTowards(highlightAlpha, highlightWanted ? kOpaque : 0, kHighlightStep)) out.RepaintRect(highlightArea);
    if (highlightAlpha == 0 && !highlightWanted) highlightState = false;
  }
  if (StepTowards(panelAlpha, hoverCountdown > 0 ? kOpaque : 0, kPanelStep)) out.RepaintRect(HoverPanelRect());
}

void InWindowFades::Settle() {
  highlightAlpha = highlightState && highlightWanted ? kOpaque : 0;
  highlightState = highlightState && highlightWanted;
  panelAlpha = hoverCountdown > 0 ? kOpaque : 0;
}

bool InWindowFades::Moving() const {
  // A highlight that is not wanted needs one more tick to be cleared at 0.
  const bool highlightMoving = highlightState && (!highlightWanted || highlightAlpha != kOpaque);
  return highlightMoving || panelAlpha != (hoverCountdown > 0 ? kOpaque : 0);
}
