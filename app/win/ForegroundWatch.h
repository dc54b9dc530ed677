#pragma once
// Tells when another program's window comes to the front, from the system's
// own event (no polling, so a hidden program still wakes for nothing else).
// The hook is delivered on the thread that set it, through its message loop.
#include <windows.h>

#include <functional>
#include <string>

class ForegroundWatch {
 public:
  // `changed` receives the full path of the program in front.
  using Changed = std::function<void(const std::u16string& program)>;

  ForegroundWatch() = default;
  ~ForegroundWatch();
  ForegroundWatch(const ForegroundWatch&) = delete;
  ForegroundWatch& operator=(const ForegroundWatch&) = delete;

  // Starts watching; false when the system refused the hook.
  bool Start(Changed changed);
  void Stop();

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                               DWORD time);

  HWINEVENTHOOK hook = nullptr;
  Changed changed;
};

// The full path of the program that owns `window`; empty when it cannot be told.
std::u16string ProgramOfWindow(HWND window);
