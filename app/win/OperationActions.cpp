#include "app/win/OperationActions.h"

#include "app/win/FileDialogs.h"
#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"

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

}  // namespace

const std::u16string& OperationActions::Message(int slot) const {
  static const std::u16string none;
  return slot >= 0 && slot < kMessageCount ? texts.messageTexts[static_cast<size_t>(slot)] : none;
}

std::optional<WindowActions> OperationActions::Apply(const WindowAction& action, MainWindowModel& model) {
  switch (action.kind) {
    case ActionKind::kAskYesNo: {
      const int answer = MessageBoxW(window, ToWide(Message(action.messageSlot)).c_str(),
                                     ToWide(Message(action.captionSlot)).c_str(),
                                     MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION);
      diag::Writef("operation question answered %s", answer == IDYES ? "yes" : "no");
      return model.OnQuestionAnswered(answer == IDYES);
    }
    case ActionKind::kOpenFileDialog: {
      const std::u16string file = ChooseBackupFile(window, action.fileDialog);
      diag::Write(file.empty() ? "no backup file chosen" : "backup file chosen");
      return model.OnFileChosen(file);
    }
    case ActionKind::kStartWorker:
      if (!worker.Start(action.operation, action.text)) diag::Write("an operation's worker still runs");
      return WindowActions{};
    case ActionKind::kSetWaitCursor:
      waitCursor = LoadCursorW(nullptr, IDC_WAIT);
      SetWindowCursor(window, waitCursor);
      return WindowActions{};
    case ActionKind::kRestoreClassCursor:
      waitCursor = nullptr;
      SetWindowCursor(window, classCursor);
      return WindowActions{};
    case ActionKind::kShowMessage: {
      const std::u16string& text = action.text.empty() ? Message(action.messageSlot) : action.text;
      diag::Write("message box: " + text::ToUtf8(text));
      MessageBoxW(window, ToWide(text).c_str(), ToWide(Message(action.captionSlot)).c_str(), MB_OK);
      return WindowActions{};
    }
    default:
      return std::nullopt;
  }
}

bool OperationActions::OnSetCursor() const {
  if (waitCursor == nullptr) return false;
  SetCursor(waitCursor);
  return true;
}
