#include "ui/SliderChange.h"

SliderChangeAction SliderChange::OnPosition(int position) {
  SliderChangeAction action;
  if (position != last) {
    last = position;
    action.repaint = true;
    action.postMoved = !quiet;
  }
  quiet = false;
  return action;
}
