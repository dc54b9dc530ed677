#include "app/win/ActionApplier.h"

#include <commctrl.h>

#include "app/StartupFade.h"
#include "app/win/FileDialogs.h"
#include "app/win/MessageDecoder.h"
#include "app/win/RawInputReports.h"
#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "ui/SkinLayout.h"

namespace {

// The pointer is over `window` or one of its controls.
bool PointerOver(HWND window) {
  POINT at{};
  if (!GetCursorPos(&at)) return false;
  const HWND under = WindowFromPoint(at);
  return under != nullptr && (under == window || IsChild(window, under));
}

// The dialog class's cursor: the program's other dialogs share it, and none
// of them is open while an operation runs.
void SetWindowCursor(HWND window, HCURSOR cursor) {
  SetClassLongPtrW(window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
  if (PointerOver(window)) SetCursor(cursor);
}

RECT RectOf(const RectI& rect) { return RECT{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height}; }

}  // namespace

const std::u16string& ActionApplier::Message(int slot) const {
  static const std::u16string none;
  return slot >= 0 && slot < kMessageCount ? texts.messageTexts[static_cast<size_t>(slot)] : none;
}

void ActionApplier::Apply(const WindowActions& actions) {
  for (const WindowAction& action : actions.Items()) Apply(action);
}

void ActionApplier::Apply(const WindowAction& action) {
  const auto control = [&] { return GetDlgItem(window, action.id); };
  switch (action.kind) {
    case ActionKind::kShowControl:
    case ActionKind::kHideControl:
      ShowWindow(control(), action.kind == ActionKind::kShowControl ? SW_SHOW : SW_HIDE);
      break;
    case ActionKind::kEnableControl:
    case ActionKind::kDisableControl:
      EnableWindow(control(), action.kind == ActionKind::kEnableControl);
      break;
    case ActionKind::kCheckControl:
      CheckDlgButton(window, action.id, action.on ? BST_CHECKED : BST_UNCHECKED);
      break;
    case ActionKind::kFillList:
      FillList(action);
      break;
    case ActionKind::kSetSliderRange:
      for (int id : {kControlSliderX, kControlSliderY}) {
        SendDlgItemMessageW(window, id, TBM_SETRANGE, TRUE, MAKELPARAM(1, action.value));
      }
      break;
    case ActionKind::kSetSliders:
      if (SkinSlider* x = skin.Slider(kControlSliderX)) x->SetPosQuiet(action.x);
      if (SkinSlider* y = skin.Slider(kControlSliderY)) y->SetPosQuiet(action.y);
      break;
    case ActionKind::kRepaintWindow:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case ActionKind::kRepaintRect: {
      const RECT rect = RectOf(action.rect);
      InvalidateRect(window, &rect, FALSE);
      break;
    }
    case ActionKind::kRepaintControl:
      if (const HWND repainted = control()) InvalidateRect(repainted, nullptr, FALSE);
      break;
    case ActionKind::kSetControlsChanged:
      skin.SetControlsChanged();
      break;
    case ActionKind::kStartTimer:
      SetTimer(window, static_cast<UINT_PTR>(action.id), static_cast<UINT>(action.value), nullptr);
      break;
    case ActionKind::kStopTimer:
      KillTimer(window, static_cast<UINT_PTR>(action.id));
      break;
    case ActionKind::kMouseRequest:
      session.Submit(action.request);
      break;
    case ActionKind::kAskYesNo: {
      const std::u16string& question = action.text.empty() ? Message(action.messageSlot) : action.text;
      const int answer = MessageBoxW(window, ToWide(question).c_str(),
                                     ToWide(Message(action.captionSlot)).c_str(),
                                     MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION);
      diag::Writef("%s question answered %s", action.id == kAboutOperation ? "operation" : "macro",
                   answer == IDYES ? "yes" : "no");
      WindowEvent answered{WindowEvent::Kind::kQuestionAnswered};
      answered.id = action.id;
      answered.on = answer == IDYES;
      Apply(controller(answered));
      break;
    }
    case ActionKind::kOpenFileDialog: {
      WindowEvent chosen{WindowEvent::Kind::kFileChosen};
      chosen.id = action.id;
      chosen.text = action.id == kAboutOperation ? ChooseBackupFile(window, action.fileDialog)
                                                 : ChooseMacroFile(window, action.fileDialog);
      diag::Writef("%s file %s", action.id == kAboutOperation ? "backup" : "macro",
                   chosen.text.empty() ? "not chosen" : "chosen");
      Apply(controller(chosen));
      break;
    }
    case ActionKind::kStartWorker:
      if (!session.StartOperation(action.operation, action.text)) diag::Write("an operation's worker still runs");
      break;
    case ActionKind::kSetWaitCursor:
      waitCursor = LoadCursorW(nullptr, IDC_WAIT);
      SetWindowCursor(window, waitCursor);
      break;
    case ActionKind::kRestoreClassCursor:
      waitCursor = nullptr;
      SetWindowCursor(window, classCursor);
      break;
    case ActionKind::kShowMessage: {
      const std::u16string& text = action.text.empty() ? Message(action.messageSlot) : action.text;
      diag::Write("message box: " + text::ToUtf8(text));
      MessageBoxW(window, ToWide(text).c_str(), ToWide(Message(action.captionSlot)).c_str(), MB_OK);
      break;
    }
    case ActionKind::kSetAlpha:
      SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(action.value), LWA_ALPHA);
      if (action.value == StartupFade::kOpaque) diag::Write("fade-in complete");
      break;
    case ActionKind::kHideAndCenter:
      HideAndCenter();
      break;
    case ActionKind::kShowWindow:
      ShowWindow(window, SW_SHOWNORMAL);
      break;
    case ActionKind::kBringToFront:
      BringWindowToTop(window);
      SetForegroundWindow(window);
      break;
    case ActionKind::kHideWindow:
      ShowWindow(window, SW_HIDE);
      diag::Write("window hidden to the tray");
      break;
    case ActionKind::kMinimizeWindow:
      ShowWindow(window, SW_MINIMIZE);
      break;
    case ActionKind::kEndWindow:
      DestroyWindow(window);
      break;
    case ActionKind::kShowTrayMenu:
      tray.ShowMenu(action.entries, action.selected);
      break;
    case ActionKind::kSetTrayTip:
      tray.SetTip(action.text);
      break;
    case ActionKind::kShowBalloon:
      tray.ShowBalloon(action.text);
      break;
    case ActionKind::kReleaseTiltMutex:
      tiltMutex.Release();
      break;
    case ActionKind::kSetPointerKind:
      SetPointerKind(action.value);
      break;
    case ActionKind::kCapturePointer:
      if (action.on) {
        SetCapture(window);
      } else if (GetCapture() == window) {
        ReleaseCapture();
      }
      break;
    case ActionKind::kOpenEditBox:
      OpenEditBox(action);
      break;
    case ActionKind::kCloseEditBox:
      if (IsWindowVisible(control())) {
        ShowWindow(control(), SW_HIDE);
        SetFocus(window);
      }
      break;
    case ActionKind::kFinishEditBox:
      if (IsWindowVisible(control())) {
        WindowEvent left{WindowEvent::Kind::kEditLeft};
        left.id = action.id;
        left.text = WindowText(control());
        Apply(controller(left));
      }
      break;
    case ActionKind::kSetRecording:
      SetRecording(action.on);
      break;
  }
}

// Kinds 1 to 5 are the drag pointers; they also become the class's pointer,
// so that the pointer stays while it crosses the window's controls.
void ActionApplier::SetPointerKind(int kind) {
  static constexpr int kPointerIds[] = {107, 109, 108, 110, 246};
  if (kind == pointerKind) return;
  pointerKind = kind;
  HCURSOR pointer = classCursor;
  if (kind >= 1 && kind <= 5) {
    pointer = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPointerIds[kind - 1]));
    if (pointer == nullptr) pointer = classCursor;
  }
  SetWindowCursor(window, pointer);
}

void ActionApplier::OpenEditBox(const WindowAction& action) const {
  const HWND edit = GetDlgItem(window, action.id);
  if (!edit) return;
  SetWindowPos(edit, HWND_TOP, action.rect.x, action.rect.y, action.rect.width, action.rect.height, 0);
  SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(action.value), 0);
  SetWindowTextW(edit, ToWide(action.text).c_str());
  ShowWindow(edit, SW_SHOW);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
}

void ActionApplier::SetRecording(bool on) const {
  if (const ControlPlacement* record = FindControl(skin.Layout(), kControlRecord)) {
    const std::u16string& caption = on ? record->alternateCaption : record->caption;
    SetDlgItemTextW(window, kControlRecord, ToWide(caption).c_str());
  }
  if (SkinButton* button = skin.Button(kControlRecord)) button->SetPulse(on);
  if (!ListenToDesktop(window, on)) {
    diag::Writef("raw input registration failed (%lu)", GetLastError());
    MessageBoxW(window, L"error", L"Vantor 3", MB_OK);
  }
}

void ActionApplier::FillList(const WindowAction& action) const {
  const HWND combo = GetDlgItem(window, action.id);
  if (!combo) return;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const ListEntry& entry : action.entries) {
    const std::wstring name = ToWide(entry.text);
    const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(entry.value));
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(action.selected), 0);
  EnableWindow(combo, action.on);
}

// A window that started hidden has no size yet: it takes the skin's.
void ActionApplier::HideAndCenter() const {
  ShowWindow(window, SW_HIDE);
  SetLayeredWindowAttributes(window, 0, StartupFade::kOpaque, LWA_ALPHA);
  RECT frame{};
  GetWindowRect(window, &frame);
  const SIZE size = skin.Size().cx > 0 ? skin.Size() : SIZE{frame.right - frame.left, frame.bottom - frame.top};
  SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  diag::Write("hidden at start");
}

bool ActionApplier::OnSetCursor() const {
  if (waitCursor == nullptr) return false;
  SetCursor(waitCursor);
  return true;
}
