#include "device/SteadySlotTimer.h"


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
  hold.unlock();
  // Spinning rather than yielding: a yield on a busy machine can give the
  // processor away for a whole time slice.
  while (!firedFlag_.load(std::memory_order_acquire) && SteadyClock::now() < due) {
  }
  hold.lock();
  fired_ = false;
  firedFlag_.store(false, std::memory_order_release);
}

void SteadySlotTimer::FireNow() {
  {
    std::lock_guard<std::mutex> hold(mutex_);
    fired_ = true;
    firedFlag_.store(true, std::memory_order_release);
  }
  wake_.notify_all();
}

void SteadySlotTimer::Reset() {
  std::lock_guard<std::mutex> hold(mutex_);
  fired_ = false;
  firedFlag_.store(false, std::memory_order_release);
}

}  // namespace device
