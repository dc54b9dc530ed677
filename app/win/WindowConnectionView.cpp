#include "app/win/WindowConnectionView.h"

#include <commctrl.h>

#include "base/DiagLog.h"
#include "res/resource.h"

namespace {

constexpr int kButtonLists[] = {IDC_BUTTON_LIST_0, IDC_BUTTON_LIST_1, IDC_BUTTON_LIST_2, IDC_BUTTON_LIST_3,
                                IDC_BUTTON_LIST_4, IDC_BUTTON_LIST_5, IDC_BUTTON_LIST_6, IDC_BUTTON_LIST_7,
                                IDC_BUTTON_LIST_8, IDC_BUTTON_LIST_9, IDC_BUTTON_LIST_10, IDC_BUTTON_LIST_11};
constexpr int kDpiControls[] = {IDC_SLIDER_X, IDC_SLIDER_Y, IDC_TIE_XY, IDC_NAME_EDIT};

// A timer id and period in one message parameter.
LPARAM TimerValue(int id, int periodMs) { return static_cast<LPARAM>((static_cast<std::uint32_t>(id) << 16) | (periodMs & 0xFFFF)); }

}  // namespace

void WindowConnectionView::Post(Action action, LPARAM value) const { PostMessageW(window, kMessage, action, value); }

void WindowConnectionView::EnableDeviceControls(bool enable) { Post(kEnableDevice, enable); }
void WindowConnectionView::EnableDpiControls(bool enable) { Post(kEnableDpi, enable); }
void WindowConnectionView::SetSliderRange(int top) { Post(kSliderRange, top); }
void WindowConnectionView::SetTieChecked(bool checked) {
  tieChecked = checked;
  Post(kTie, checked);
}
void WindowConnectionView::EnableYSlider(bool enable) { Post(kEnableY, enable); }
void WindowConnectionView::ShowLevelSteps(int x, int y) { Post(kSteps, MAKELPARAM(x, y)); }
void WindowConnectionView::Repaint(bool full) { Post(kRepaint, full); }
void WindowConnectionView::StartTimer(int id, int periodMs) { Post(kStartTimer, TimerValue(id, periodMs)); }
void WindowConnectionView::StopTimer(int id) { Post(kStopTimer, TimerValue(id, 0)); }

bool WindowConnectionView::CreateTiltMutex() {
  return SendMessageW(window, kCreateTiltMutexMessage, 0, 0) != 0;
}

void WindowConnectionView::Apply(WPARAM action, LPARAM value) {
  switch (action) {
    case kEnableDevice:
      for (int id : kButtonLists) EnableWindow(GetDlgItem(window, id), value != 0);
      diag::Write(value ? "device controls enabled" : "device controls disabled");
      break;
    case kEnableDpi:
      for (int id : kDpiControls) EnableWindow(GetDlgItem(window, id), value != 0);
      break;
    case kSliderRange:
      for (int id : {IDC_SLIDER_X, IDC_SLIDER_Y}) SendDlgItemMessageW(window, id, TBM_SETRANGE, TRUE, MAKELPARAM(1, value));
      break;
    case kTie:
      CheckDlgButton(window, IDC_TIE_XY, value ? BST_CHECKED : BST_UNCHECKED);
      break;
    case kEnableY:
      EnableWindow(GetDlgItem(window, IDC_SLIDER_Y), value != 0);
      break;
    case kSteps:
      SendDlgItemMessageW(window, IDC_SLIDER_X, TBM_SETPOS, TRUE, LOWORD(value));
      SendDlgItemMessageW(window, IDC_SLIDER_Y, TBM_SETPOS, TRUE, HIWORD(value));
      diag::Writef("level steps shown: %d, %d", LOWORD(value), HIWORD(value));
      break;
    case kRepaint:
      InvalidateRect(window, nullptr, value != 0);
      break;
    case kStartTimer:
      SetTimer(window, static_cast<UINT_PTR>(value >> 16), static_cast<UINT>(value & 0xFFFF), nullptr);
      break;
    case kStopTimer:
      KillTimer(window, static_cast<UINT_PTR>(value >> 16));
      break;
    default:
      break;
  }
}
