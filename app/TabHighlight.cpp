#include "app/TabHighlight.h"

int TabHighlight::TabAt(int x, int y) const {
  for (int tab = 0; tab < kTabCount; ++tab) {
    if (rects[static_cast<size_t>(tab)].Contains(x, y)) return tab;
  }
  return -1;
}

void TabHighlight::PointerOver(int tab, WindowActions& out) {
  if (tab == hoverTab) return;
  if (hoverTab >= 0) {
    PageChanged();
    for (const RectI& rect : rects) out.RepaintRect(rect);
  }
  hoverTab = tab;
}

void TabHighlight::PageChanged() {
  value = kLow;
  falling = false;
}

void TabHighlight::Tick(int currentTab, WindowActions& out) {
  if (!Pulsing(currentTab)) return;
  if (falling) {
    value -= kStep;
    falling = value > kLow;
  } else {
    value += kStep;
    falling = value >= kHigh;
  }
  out.RepaintRect(rects[static_cast<size_t>(hoverTab)]);
}
