#include "app/StartupFade.h"

#include <algorithm>

FadeDecision StartupFade::OnTick(bool windowVisible, bool& hideAtStart) {
  FadeDecision decision;
  if (!windowVisible) return decision;
  if (hideAtStart) {
    hideAtStart = false;
    alpha = kOpaque;
    decision.hideAndCenter = true;
    decision.alpha = kOpaque;
    decision.stopTimer = true;
    return decision;
  }
  alpha = std::min(alpha + kStep, kOpaque);
  decision.applyAlpha = true;
  decision.alpha = alpha;
  decision.stopTimer = alpha == kOpaque;
  return decision;
}
