#pragma once
// The scroll bar beside the macro list: it shows the list's scroll state,
// which the list copies onto it, and never paints over the skin itself.
#include <windows.h>

#include "ui/win/SkinControl.h"

class SkinScrollBar : public SkinControl {
 public:
  bool Attach(HWND control, const SkinAssets& skinAssets) { return Subclass(control, skinAssets); }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};
