#pragma once
// The pulsing highlight of the tab under the pointer: while the pointer rests
// on a tab that is not the current page, the function bar's alpha runs from
// 0x40 up to 0xA0 and back in steps of 4, one step per tick of its timer.
#include <array>

#include "app/WindowAction.h"
#include "app/WindowTimers.h"
#include "ui/SkinStyle.h"

class TabHighlight {
 public:
  static constexpr int kTimerId = timers::kTabPulse.id;
  static constexpr int kPeriodMs = timers::kTabPulse.periodMs;
  static constexpr int kLow = 0x40;
  static constexpr int kHigh = 0xA0;
  static constexpr int kStep = 4;

  explicit TabHighlight(const std::array<RectI, kTabCount>& tabRects) : rects(tabRects) {}

  // The tab under (x, y), or -1.
  int TabAt(int x, int y) const;

  // The pointer is now over `tab` (-1: over no tab). Leaving a tab puts the
  // value back to its rest and repaints the three tabs.
  void PointerOver(int tab, WindowActions& out);
  // The page changed: a tab that becomes current stops pulsing, and the next
  // pulse starts from rest.
  void PageChanged();
  void Tick(int currentTab, WindowActions& out);

  bool Pulsing(int currentTab) const { return hoverTab >= 0 && hoverTab != currentTab; }
  int HoverTab() const { return hoverTab; }
  int Value() const { return value; }

 private:
  std::array<RectI, kTabCount> rects;
  int hoverTab = -1;
  int value = kLow;
  bool falling = false;
};
