#pragma once
#include <windows.h>

#include <atomic>

// The named mutex that tells other software that this program handles the
// wheel's tilt. It is taken at the first mouse arrival and given up when
// another program asks (message 11890) or when the main window goes.
class TiltMutex {
 public:
  TiltMutex() = default;
  ~TiltMutex() { Release(); }
  TiltMutex(const TiltMutex&) = delete;
  TiltMutex& operator=(const TiltMutex&) = delete;

  // Creates the mutex unless this process owns it already; owned only when it
  // did not exist before.
  void AcquireAtArrival();
  void Release();
  bool Owned() const { return owned; }

 private:
  HANDLE handle = nullptr;
  std::atomic<bool> owned{false};
};
