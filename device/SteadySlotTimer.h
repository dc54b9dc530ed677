#pragma once
// A SlotTimer on the standard library's steady clock. A condition variable
// wakes late by tens of microseconds, so the last stretch of each wait is
// spent spinning instead, which keeps macro timing within a fraction of a
// millisecond.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "device/SlotTimer.h"

namespace device {

class SteadySlotTimer final : public SlotTimer {
 public:
  explicit SteadySlotTimer(std::int64_t spinUs = 300) : spinUs_(spinUs) {}
  void Arm(std::int64_t dueUs) override;
  void Wait() override;
  void FireNow() override;
  void Reset() override;

 private:
  std::int64_t spinUs_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::chrono::steady_clock::time_point due_ = std::chrono::steady_clock::now();
  bool fired_ = false;
  // The same, readable without the lock while the last stretch spins.
  std::atomic<bool> firedFlag_{false};
};

class SteadySlotTimerFactory final : public SlotTimerFactory {
 public:
  std::unique_ptr<SlotTimer> Create() override { return std::make_unique<SteadySlotTimer>(); }
};

}  // namespace device
