#include "app/TrayClicks.h"

TrayAction TrayClicks::OnNotify(int iconId, int mouseMessage, bool windowVisible) {
  TrayAction action;
  if (iconId != kTrayIconId) return action;
  switch (mouseMessage) {
    case kTrayLeftButtonUp:
      if (!justDoubleClicked) {
        action.startMenuTimerMs = kLeftClickMenuDelayMs;
        menuPending = true;
      }
      justDoubleClicked = false;
      break;
    case kTrayLeftDoubleClick:
      action.rereadLevels = !windowVisible;
      action.restoreWindow = true;
      action.stopMenuTimer = true;
      justDoubleClicked = true;
      menuPending = false;
      break;
    case kTrayRightButtonUp:
      action.startMenuTimerMs = kRightClickMenuDelayMs;
      menuPending = true;
      break;
    default:
      break;
  }
  return action;
}

bool TrayClicks::OnMenuTimer() {
  const bool open = menuPending;
  menuPending = false;
  return open;
}
