#pragma once
// The two threads that carry the other copies' wishes to the running window:
// "show" (answered a limited number of times, each as a few steps 100 ms
// apart, posted to the window's thread) and "close".
#include <windows.h>

#include <thread>

class InstanceSignals {
 public:
  InstanceSignals(HANDLE showEvent, HANDLE closeEvent) : showEvent(showEvent), closeEvent(closeEvent) {}
  ~InstanceSignals() { Stop(); }
  InstanceSignals(const InstanceSignals&) = delete;
  InstanceSignals& operator=(const InstanceSignals&) = delete;

  void Start(HWND window);
  void Stop();

 private:
  void ShowThread();
  void CloseThread();
  // Waits `ms` milliseconds unless the window is going away.
  bool Pause(DWORD ms) const { return WaitForSingleObject(stop, ms) == WAIT_TIMEOUT; }

  HANDLE showEvent;
  HANDLE closeEvent;
  HWND window = nullptr;
  HANDLE stop = nullptr;
  std::thread showThread;
  std::thread closeThread;
};
