#include "device/SteadySlotTimer.h"

#include <thread>

namespace device {

using SteadyClock = std::chrono::steady_clock;

void SteadySlotTimer::Arm(std::int64_t dueUs) {
  std::lock_guard<std::mutex> hold(mutex_);
  due_ = SteadyClock::now() + std::chrono::microseconds(dueUs > 0 ? dueUs : 0);
}

void SteadySlotTimer::Wait() {
  std::unique_lock<std::mutex> hold(mutex_);
  const auto due = due_;
  wake_.wait_until(hold, due - std::chrono::microseconds(spinUs_), [&] { return fired_; });
  while (!fired_ && SteadyClock::now() < due) {
    hold.unlock();
    std::this_thread::yield();
    hold.lock();
  }
  fired_ = false;
}

void SteadySlotTimer::FireNow() {
  {
    std::lock_guard<std::mutex> hold(mutex_);
    fired_ = true;
  }
  wake_.notify_all();
}

void SteadySlotTimer::Reset() {
  std::lock_guard<std::mutex> hold(mutex_);
  fired_ = false;
}

}  // namespace device
