#include "device/win/Win32Sleeper.h"

#include <mutex>
#include <vector>

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

namespace device {
namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// A waitable timer serves one sleeping thread at a time.
class WaitTimer {
 public:
  WaitTimer() {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    if (timer_ == nullptr) timer_ = CreateWaitableTimerW(nullptr, TRUE, nullptr);
  }
  ~WaitTimer() {
    if (timer_ != nullptr) CloseHandle(timer_);
  }
  WaitTimer(const WaitTimer&) = delete;
  WaitTimer& operator=(const WaitTimer&) = delete;

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

  // The timers are lent out by the sleeper rather than kept per thread: the
  // device threads come and go with every operation, and a thread's own
  // objects are not reliably destroyed when it ends, which left a timer
  // handle behind each time.
  void SleepMicroseconds(std::int64_t us) override {
    if (us <= 0) return;
    std::unique_ptr<WaitTimer> timer;
    {
      std::lock_guard<std::mutex> hold(mutex_);
      if (!idle_.empty()) {
        timer = std::move(idle_.back());
        idle_.pop_back();
      }
    }
    if (!timer) timer = std::make_unique<WaitTimer>();
    timer->Wait(us);
    std::lock_guard<std::mutex> hold(mutex_);
    idle_.push_back(std::move(timer));
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
  std::mutex mutex_;
  std::vector<std::unique_ptr<WaitTimer>> idle_;  // as many as threads ever slept at once
};

}  // namespace

std::unique_ptr<Sleeper> MakeWin32Sleeper() { return std::make_unique<Win32Sleeper>(); }

}  // namespace device
