#include "app/TabHighlight.h"

#include "app/WindowLayout.h"

void TabHighlight::PointerOver(int tab, WindowActions& out) {
  if (tab == hoverTab) return;
  if (hoverTab >= 0) {
    PageChanged();
    for (int each = 0; each < kPageCount; ++each) out.RepaintRect(TabRect(each));
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
  out.RepaintRect(TabRect(hoverTab));
}
