#include "app/win/InstanceSignals.h"

#include "app/AppState.h"
#include "app/win/WindowMessages.h"
#include "base/DiagLog.h"

void InstanceSignals::Start(HWND owner) {
  window = owner;
  stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  showThread = std::thread(&InstanceSignals::ShowThread, this);
  closeThread = std::thread(&InstanceSignals::CloseThread, this);
}

void InstanceSignals::Stop() {
  if (!stop) return;
  SetEvent(stop);
  if (showThread.joinable()) showThread.join();
  if (closeThread.joinable()) closeThread.join();
  CloseHandle(stop);
  stop = nullptr;
}

void InstanceSignals::ShowThread() {
  if (!showEvent) return;
  const HANDLE waits[] = {stop, showEvent};
  for (int signal = 1; signal <= kShowSignalsAnswered; ++signal) {
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
    diag::Writef("show signal %d", signal);
    // Step 0 reads the levels again when the window is hidden.
    for (WPARAM step = 0; step <= 3; ++step) {
      if (step > 0 && !Pause(100)) return;
      PostMessageW(window, kMsgShowStep, step, 0);
    }
    if (!Pause(100)) return;
    diag::Writef("show signal %d answered", signal);
  }
  diag::Write("show signals exhausted");
}

void InstanceSignals::CloseThread() {
  if (!closeEvent) return;
  const HANDLE waits[] = {stop, closeEvent};
  if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
  diag::Write("close signal");
  App.exitAllowed = 1;
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}
