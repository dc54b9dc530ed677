#include "app/win/AboutBox.h"

#include "res/resource.h"

void ShowAboutBox(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(
      instance, MAKEINTRESOURCEW(IDD_ABOUT), owner,
      [](HWND box, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) return TRUE;
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
          EndDialog(box, LOWORD(wParam));
          return TRUE;
        }
        return FALSE;
      },
      0);
}
