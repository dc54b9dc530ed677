#include "device/win/Win32Sleeper.h"

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

namespace device {
namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// A waitable timer belongs to one thread at a time, and every device thread sleeps.
class ThreadTimer {
 public:
  ThreadTimer() {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    if (timer_ == nullptr) timer_ = CreateWaitableTimerW(nullptr, TRUE, nullptr);
  }
  ~ThreadTimer() {
    if (timer_ != nullptr) CloseHandle(timer_);
  }
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;

  void Wait(std::int64_t us) {
    if (timer_ == nullptr) {
      Sleep(static_cast<DWORD>((us + 999) / 1000));
      return;
    }
    if (!highResolution_) timeBeginPeriod(1);
    LARGE_INTEGER due;
    due.QuadPart = -us * 10;  // relative, in 100 ns units
    if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
      WaitForSingleObject(timer_, INFINITE);
    } else {
      Sleep(static_cast<DWORD>((us + 999) / 1000));
    }
    if (!highResolution_) timeEndPeriod(1);
  }

 private:
  HANDLE timer_ = nullptr;
  bool highResolution_ = false;
};

class Win32Sleeper final : public Sleeper {
 public:
  Win32Sleeper() { QueryPerformanceFrequency(&frequency_); }

  void SleepMicroseconds(std::int64_t us) override {
    if (us <= 0) return;
    thread_local ThreadTimer timer;
    timer.Wait(us);
  }

  std::int64_t NowMicroseconds() override {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<std::int64_t>(now.QuadPart / frequency_.QuadPart * 1000000 +
                                     now.QuadPart % frequency_.QuadPart * 1000000 /
                                         frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
};

}  // namespace

std::unique_ptr<Sleeper> MakeWin32Sleeper() { return std::make_unique<Win32Sleeper>(); }

}  // namespace device
