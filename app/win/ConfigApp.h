#pragma once
#include <windows.h>

// The application object: one copy per desktop. A second launch hands its
// wish ("show" or "close") to the running copy through two named events and
// ends; the first copy runs the main window modally.
class ConfigApp {
 public:
  explicit ConfigApp(HINSTANCE instance) : instance(instance) {}
  ConfigApp(const ConfigApp&) = delete;
  ConfigApp& operator=(const ConfigApp&) = delete;

  // Runs start-up to the end of the program; returns the process exit code.
  int Run();

 private:
  // Creates a named manual-reset event, initially signalled. Returns whether
  // it existed already; then `event` is re-opened with modify-state access.
  bool CreateSignalEvent(const wchar_t* name, HANDLE& event);
  void Broadcast() const;
  void CloseNamedObjects();

  HINSTANCE instance;
  HANDLE closeEvent = nullptr;
  HANDLE showEvent = nullptr;
  HANDLE instanceMutex = nullptr;
};
