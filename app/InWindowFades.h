#pragma once
// The two fades inside the window, each repainting only its own rectangle:
// the highlight of a button on the button page's mouse picture (60 per tick)
// and the colour panel (40 per tick), which stays up while its hover
// countdown runs. Both step on the 10 ms fade timer, which is wanted only
// while a value moves.
#include "app/WindowAction.h"
#include "app/WindowTimers.h"

class InWindowFades {
 public:
  static constexpr int kTimerId = timers::kInWindowFades.id;
  static constexpr int kPeriodMs = timers::kInWindowFades.periodMs;
  static constexpr int kHighlightStep = 60;
  static constexpr int kPanelStep = 40;
  static constexpr int kOpaque = 255;

  // The pointer handling asks the highlight to show over `area` (the button's
  // place on the picture) or, with `visible` false, to fade out.
  void SetButtonHighlight(bool visible, const RectI& area);
  // A page switch drops the highlight at once.
  void ClearButtonHighlight();
  // The colour panel stays up for `seconds` more ticks of the countdown timer.
  void HoldHoverPanel(int seconds);
  // One second of the countdown timer.
  void CountdownTick();
  void FadeTick(WindowActions& out);
  // The window is hidden: nobody sees the steps, so each value jumps to
  // where it is heading.
  void Settle();

  bool Moving() const;
  bool Counting() const { return hoverCountdown > 0; }

  bool HighlightShown() const { return highlightState; }
  int HighlightAlpha() const { return highlightAlpha; }
  const RectI& HighlightArea() const { return highlightArea; }
  int PanelAlpha() const { return panelAlpha; }

 private:
  bool highlightState = false;  // cleared when the fade-out reaches 0
  bool highlightWanted = false;
  RectI highlightArea;
  int highlightAlpha = 0;
  int hoverCountdown = 0;
  int panelAlpha = 0;
};
