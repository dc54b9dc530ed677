#pragma once
// The main window fades in after start: a 2 ms timer raises its opacity by
// 35 per tick while it is visible. Started with "/hide", the window is hidden
// at the first tick at which it is visible, made opaque and centred instead.

struct FadeDecision {
  bool applyAlpha = false;     // set the window's opacity to `alpha`
  int alpha = 0;
  bool hideAndCenter = false;  // hide, make opaque (alpha 255) and centre the window
  bool stopTimer = false;
};

class StartupFade {
 public:
  static constexpr int kStep = 35;
  static constexpr int kOpaque = 255;

  // One timer tick. `hideAtStart` is cleared when it has been acted on.
  FadeDecision OnTick(bool windowVisible, bool& hideAtStart);

  int Alpha() const { return alpha; }

 private:
  int alpha = 0;
};
