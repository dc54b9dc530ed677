#include "app/win/MainDialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/AppState.h"
#include "app/PrivateMessages.h"
#include "app/ProgramDir.h"
#include "app/win/AboutBox.h"
#include "app/win/MessageDecoder.h"
#include "app/win/LanguageSetting.h"
#include "app/win/RawInputReports.h"
#include "app/win/WinText.h"
#include "app/win/WindowMessages.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "device/SensorListing.h"
#include "res/resource.h"

namespace {

using Kind = WindowEvent::Kind;

// The dialog's own control that `child` belongs to (a combo box's edit or
// list part counts as the combo box), or 0.
int ControlIdOf(HWND window, HWND child) {
  while (child && GetParent(child) != window) child = GetParent(child);
  return child ? GetDlgCtrlID(child) : 0;
}

}  // namespace

MainDialog::MainDialog(HINSTANCE instance, const StartupSwitches& switches, HANDLE showEvent, HANDLE closeEvent,
                       DeviceServices& devices)
    : instance(instance), switches(switches), parts(devices, showEvent, closeEvent) {}

int MainDialog::Run() {
  // A desktop session still starting may refuse its first window a moment.
  for (int attempt = 1; !CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, Proc,
                                            reinterpret_cast<LPARAM>(this));
       ++attempt) {
    diag::Writef("main window not created (%lu)", GetLastError());
    if (attempt == 5) return 1;
    Sleep(200);
  }
  // Shown at once, as a dialog is; the start-up fade gives it its opacity.
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslate(message)) continue;
    if (window && IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  diag::Write("main window ended (2)");
  return 0;
}

bool MainDialog::PreTranslate(const MSG& message) {
  if (!window || !parts.controller || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
      WindowEvent key{down ? Kind::kKeyDown : Kind::kKeyUp};
      key.id = ControlIdOf(window, message.hwnd);
      key.value = static_cast<int>(message.wParam);
      if (IsEditBox(key.id)) key.text = WindowText(message.hwnd);
      return Send(key);
    }
    case WM_MOUSEWHEEL: {
      // The wheel goes to the focused control; the panes under the pointer take it.
      POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
      ScreenToClient(window, &at);
      WindowEvent wheel{Kind::kWheel};
      wheel.x = at.x;
      wheel.y = at.y;
      wheel.value = GET_WHEEL_DELTA_WPARAM(message.wParam);
      return Send(wheel);
    }
    default:
      return false;
  }
}

INT_PTR CALLBACK MainDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<MainDialog*>(lParam);
    self->window = window;
    SetWindowLongPtrW(window, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<MainDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  }
  return self ? self->Handle(message, wParam, lParam) : FALSE;
}

bool MainDialog::Send(const WindowEvent& event) {
  const WindowActions actions = parts.controller->Handle(event);
  parts.applier->Apply(actions);
  return actions.Handled();
}

bool MainDialog::Take(const WindowEvent& event) {
  Send(event);
  return true;
}

bool MainDialog::Answer(LONG_PTR result) {
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return true;
}

INT_PTR MainDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog();
  if (!parts.controller) return FALSE;
  if (message == WM_TIMER) ++timerMessages;
  if (message == WM_MOVING) Send(WindowEvent{Kind::kMoving});
  if (message == WM_WINDOWPOSCHANGED) ReportVisibility();
  if (const std::optional<WindowEvent> event = decoder.Decode(window, message, wParam, lParam)) {
    Take(*event);
    // The sender of data learns that it was taken.
    return message != WM_COPYDATA || Answer(TRUE);
  }
  switch (message) {
    case WM_PAINT:
      if (!parts.skinned) return FALSE;
      parts.skin.Paint(parts.controller->Snapshot());
      return TRUE;
    case WM_ERASEBKGND:
      // The paint covers every pixel from the composition surface.
      return parts.skinned && Answer(1);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      if (!parts.skinned) return FALSE;
      return reinterpret_cast<INT_PTR>(parts.skin.ControlBrush(reinterpret_cast<HWND>(lParam)));
    case WM_NCHITTEST: {
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(window, &point);
      return DragsWindow(parts.skin.Layout(), point.x, point.y) && Answer(HTCAPTION);
    }
    case WM_SETCURSOR:
      return parts.applier->OnSetCursor() && Answer(TRUE);
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return FALSE;
      ShowAboutBox(instance, window);
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINICON)));
    case WM_DESTROY:
      parts.TakeDown();
      window = nullptr;
      PostQuitMessage(0);
      return FALSE;
    case WM_INPUT: {
      std::vector<BYTE> buffer;
      const RAWINPUT* raw = ReadRawInput(reinterpret_cast<HRAWINPUT>(lParam), buffer);
      if (!raw) return FALSE;
      if (const std::optional<WindowEvent> desktop = DesktopInputEvent(*raw, window)) {
        Send(*desktop);
      } else {
        ForEachMouseReport(*raw, buffer, [this](const std::uint8_t* report, std::size_t length) {
          parts.session->OnNotification(report, length);
        });
      }
      return FALSE;
    }
    case WM_DEVICECHANGE:
      parts.session->OnDeviceChange(wParam);
      return FALSE;
    case kMsgCreateTiltMutex:
      parts.tiltMutex.AcquireAtArrival();
      return Answer(parts.tiltMutex.Owned() ? 1 : 0);
    case kMsgReportWakeUps:
      diag::Writef("timer messages: %llu at %llu ms", static_cast<unsigned long long>(timerMessages),
                   static_cast<unsigned long long>(GetTickCount64()));
      return TRUE;
    default:
      break;
  }
  if (parts.tray.IsTaskbarCreated(message)) {
    parts.tray.AddAgain();
    return TRUE;
  }
  return FALSE;
}

BOOL MainDialog::OnInitDialog() {
  diag::Write("main window initialising");
  if (HMENU systemMenu = GetSystemMenu(window, FALSE)) {
    wchar_t about[128] = L"";
    if (LoadStringW(instance, IDS_ABOUTBOX, about, 128) > 0) {
      AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
      AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
    }
  }
  const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINICON));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  // The window starts without the layered bit: flipping it makes the window
  // invisible until the fade gives it an opacity.
  SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) ^ WS_EX_LAYERED);
  App.languageFile = ReadLanguageSetting();
  SendDlgItemMessageW(window, IDC_NAME_EDIT, EM_LIMITTEXT, 64, 0);

  if (!RegisterForMouseReports(window) || !ListenToDesktop(window, false)) {
    diag::Writef("raw input registration failed (%lu)", GetLastError());
    MessageBoxW(window, L"error", L"Vantor 3", MB_OK);
  }
  wchar_t modulePath[511] = L"";
  GetModuleFileNameW(nullptr, modulePath, 510);
  App.programDir = ProgramDirFromModulePath(FromWide(modulePath));
  diag::Write("program folder: " + text::ToUtf8(App.programDir));
  std::u16string listing;
  if (device::ReadSensorListing(device::kSensorListingFile, listing)) {
    SetDlgItemTextW(window, IDC_SENSOR_LISTING, ToWide(listing).c_str());
  }

  parts.Build(window, instance);
  SetForegroundWindow(window);
  Send(WindowEvent{Kind::kStarted});
  diag::Write("main window ready");
  return TRUE;
}

// A minimised window shows nothing either: its animations rest like a hidden one's.
void MainDialog::ReportVisibility() {
  const bool shown = IsWindowVisible(window) != FALSE && IsIconic(window) == FALSE;
  if (shown == reportedShown) return;
  reportedShown = shown;
  WindowEvent visibility{Kind::kVisibility};
  visibility.on = shown;
  Send(visibility);
}
