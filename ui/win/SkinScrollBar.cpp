#include "ui/win/SkinScrollBar.h"

LRESULT SkinScrollBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint{};
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
  }
  return Default(message, wParam, lParam);
}
