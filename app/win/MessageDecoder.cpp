#include "app/win/MessageDecoder.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/PrivateMessages.h"
#include "app/win/PostedConnectionEvents.h"
#include "app/win/WinText.h"
#include "app/win/WindowMessages.h"
#include "res/resource.h"
#include "ui/ControlMessages.h"
#include "ui/SkinLayout.h"

namespace {

using Kind = WindowEvent::Kind;

WindowEvent At(Kind kind, LPARAM lParam) {
  WindowEvent event{kind};
  event.x = GET_X_LPARAM(lParam);
  event.y = GET_Y_LPARAM(lParam);
  return event;
}

WindowEvent With(Kind kind, int id, int value = 0) {
  WindowEvent event{kind};
  event.id = id;
  event.value = value;
  return event;
}

}  // namespace

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int read = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(read > 0 ? read : 0));
  return FromWide(text);
}

bool IsEditBox(int id) { return id == kControlRenameEdit || id == kControlNumberEdit || id == kControlNameEdit; }

namespace {

std::optional<WindowEvent> CommandEvent(HWND window, WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int notification = HIWORD(wParam);
  if (IsEditBox(id)) {
    // Of an edit box only its losing the focus counts: that commits it.
    if (notification != EN_KILLFOCUS) return std::nullopt;
    WindowEvent left = With(Kind::kEditLeft, id);
    left.text = WindowText(reinterpret_cast<HWND>(lParam));
    return left;
  }
  if (notification == CBN_SELCHANGE) {
    const HWND combo = reinterpret_cast<HWND>(lParam);
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return WindowEvent{Kind::kCommand};
    const LRESULT value = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
    return With(Kind::kListChosen, id, static_cast<int>(value));
  }
  WindowEvent command = With(Kind::kCommand, id);
  command.on = IsDlgButtonChecked(window, id) == BST_CHECKED;
  return command;
}

}  // namespace

std::optional<WindowEvent> MessageDecoder::Decode(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!trackingPointer) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        trackingPointer = TrackMouseEvent(&track) != FALSE;
      }
      return At(Kind::kPointerMove, lParam);
    case WM_MOUSELEAVE:
      trackingPointer = false;
      return WindowEvent{Kind::kPointerLeave};
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the second click of a quick pair is a click too
      return At(Kind::kLeftButtonDown, lParam);
    case WM_LBUTTONUP:
      return At(Kind::kLeftButtonUp, lParam);
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) == window) return std::nullopt;
      return WindowEvent{Kind::kPointerCaptureLost};
    case WM_TIMER:
      return With(Kind::kTimer, static_cast<int>(wParam));
    case WM_COMMAND:
      return CommandEvent(window, wParam, lParam);
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (!data || data->dwData != kCopyForegroundProgram || data->cbData % 2 != 0 ||
          data->cbData > kLongestProgramPath * 2 || (data->cbData > 0 && !data->lpData)) {
        return std::nullopt;
      }
      WindowEvent front{Kind::kForegroundChanged};
      front.text.assign(static_cast<const char16_t*>(data->lpData), data->cbData / 2);
      return front;
    }
    case WM_CLOSE:
      // The window's close button only hides it; the program lives on.
      return With(Kind::kCommand, IDC_HIDE);
    case kMsgShowStep:
      return With(Kind::kShowSignal, 0, static_cast<int>(wParam));
    case kMsgSimulatorAction: {
      WindowEvent event = With(Kind::kSimulatorAction, static_cast<int>(wParam));
      event.packed = static_cast<std::int64_t>(lParam);
      return event;
    }
    case kMsgConnection:
      return PostedConnectionEvents::Decode(wParam, lParam);
    case kMsgSessionReports:
      return WindowEvent{Kind::kSessionReports};
    default:
      break;
  }
  switch (static_cast<int>(message)) {
    case kMsgShowWindow:
      return WindowEvent{Kind::kShowRequest};
    case kMsgControlFocus:
      return WindowEvent{Kind::kControlFocus};
    case kMsgSliderMoved: {
      WindowEvent moved{Kind::kSliderMoved};
      moved.on = reinterpret_cast<HWND>(wParam) == GetDlgItem(window, IDC_SLIDER_X);
      moved.x = static_cast<int>(SendDlgItemMessageW(window, IDC_SLIDER_X, TBM_GETPOS, 0, 0));
      moved.y = static_cast<int>(SendDlgItemMessageW(window, IDC_SLIDER_Y, TBM_GETPOS, 0, 0));
      return moved;
    }
    case kMsgEndProgram:
      return WindowEvent{Kind::kEndRequest};
    case kMsgReleaseTiltMutex:
      return WindowEvent{Kind::kReleaseTiltMutex};
    case kMsgTrayNotify:
      return With(Kind::kTrayNotify, static_cast<int>(wParam), static_cast<int>(lParam));
    case kMsgOpenRenameEditor:
      return WindowEvent{Kind::kRenameRequest};
    default:
      return std::nullopt;
  }
}
