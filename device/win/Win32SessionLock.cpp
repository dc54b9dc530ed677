#include "device/win/Win32SessionLock.h"

#include <windows.h>

#include "base/DiagLog.h"

namespace device {
namespace {

class Win32SessionLock final : public SessionLock {
 public:
  Win32SessionLock() : mutex_(CreateMutexW(nullptr, FALSE, kSessionMutexName)) {
    if (!mutex_) diag::Writef("session mutex: not created (error %lu); the mouse is not shared", GetLastError());
  }
  ~Win32SessionLock() override {
    if (mutex_) CloseHandle(mutex_);
  }
  Win32SessionLock(const Win32SessionLock&) = delete;
  Win32SessionLock& operator=(const Win32SessionLock&) = delete;

  bool Acquire(int timeoutMs) override {
    // Without the mutex this program works alone, as it did before sharing.
    if (!mutex_) return true;
    const DWORD result = WaitForSingleObject(mutex_, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
    if (result == WAIT_ABANDONED) diag::Write("session mutex: the last holder ended without giving it back");
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
  }

  void Release() override {
    if (mutex_) ReleaseMutex(mutex_);
  }

 private:
  HANDLE mutex_;
};

}  // namespace

std::unique_ptr<SessionLock> MakeWin32SessionLock() { return std::make_unique<Win32SessionLock>(); }

}  // namespace device
