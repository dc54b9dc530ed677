#pragma once
// The macro list's scroll state shown on a separate, skinned scroll bar: the
// range is copied only when it changed (setting it repaints the bar), the
// position every time.
struct ScrollMirrorAction {
  bool setRange = false;
  int minimum = 0;
  int maximum = 0;
  int position = 0;
};

class ScrollMirror {
 public:
  // The list's current vertical range and position.
  ScrollMirrorAction Mirror(int minimum, int maximum, int position);

 private:
  // Nothing mirrored yet: the first range is always copied, since the bar's
  // own initial range need not match any list.
  bool mirrored = false;
  int lastMinimum = 0;
  int lastMaximum = 0;
};
