#include "ui/ScrollMirror.h"

ScrollMirrorAction ScrollMirror::Mirror(int minimum, int maximum, int position) {
  ScrollMirrorAction action;
  if (!mirrored || minimum != lastMinimum || maximum != lastMaximum) {
    mirrored = true;
    lastMinimum = minimum;
    lastMaximum = maximum;
    action.setRange = true;
    action.minimum = minimum;
    action.maximum = maximum;
  }
  action.position = position;
  return action;
}
