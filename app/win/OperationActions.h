#pragma once
// The device operations' actions of the main window's controller, carried
// out in Win32: the Yes/No question, the file dialog, the worker, the wait
// cursor and the closing message. What the user answers or chooses goes
// back to the controller, whose next actions are handed back.
#include <windows.h>

#include <optional>

#include "app/MainWindowModel.h"
#include "app/UiText.h"
#include "app/WindowAction.h"
#include "app/win/DeviceOperationWorker.h"

class OperationActions {
 public:
  // Every reference must outlive this; `classCursor` is the window class's
  // own cursor, kept at initialisation.
  OperationActions(HWND window, HCURSOR classCursor, const UiText& texts, DeviceOperationWorker& worker)
      : window(window), classCursor(classCursor), texts(texts), worker(worker) {}

  // Carries out `action` when it is one of the device operations'; the
  // controller's answer to what the user did comes back. Nothing for an
  // action of another kind.
  std::optional<WindowActions> Apply(const WindowAction& action, MainWindowModel& model);

  // WM_SETCURSOR over the window or one of its controls: true when the wait
  // cursor was set.
  bool OnSetCursor() const;

 private:
  const std::u16string& Message(int slot) const;

  HWND window;
  HCURSOR classCursor;
  const UiText& texts;
  DeviceOperationWorker& worker;
  HCURSOR waitCursor = nullptr;  // set while an operation runs
};
