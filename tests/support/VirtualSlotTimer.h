#pragma once
// Slot timers for macro players on a virtual clock: a wait spends virtual
// time, so a player runs instantly and exactly, until a gate says no more
// waits pass; then the player waits until it is stopped.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "device/SlotTimer.h"
#include "sim/VirtualClock.h"

// How many waits of the slot timers pass at once (spending virtual time);
// after those, waits block until the player is stopped. -1: every wait passes.
struct TimerGate {
  std::atomic<int> freeWaits{-1};
  std::atomic<int> blocked{0};
};

class VirtualSlotTimer final : public device::SlotTimer {
 public:
  VirtualSlotTimer(sim::VirtualClock& clock, TimerGate& gate) : clock_(clock), gate_(gate) {}
  void Arm(std::int64_t dueUs) override {
    std::lock_guard<std::mutex> hold(mutex_);
    due_ = dueUs;
  }
  void Wait() override {
    std::unique_lock<std::mutex> hold(mutex_);
    if (!fired_ && TakeFreeWait()) {
      const std::int64_t due = due_;
      hold.unlock();
      clock_.SleepMicroseconds(due);
      hold.lock();
    } else if (!fired_) {
      ++gate_.blocked;
      wake_.wait(hold, [&] { return fired_; });
      --gate_.blocked;
    }
    fired_ = false;
  }
  void FireNow() override {
    {
      std::lock_guard<std::mutex> hold(mutex_);
      fired_ = true;
    }
    wake_.notify_all();
  }
  void Reset() override {
    std::lock_guard<std::mutex> hold(mutex_);
    fired_ = false;
  }

 private:
  bool TakeFreeWait() {
    for (int left = gate_.freeWaits.load();;) {
      if (left <= 0) return left < 0;
      if (gate_.freeWaits.compare_exchange_weak(left, left - 1)) return true;
    }
  }
  sim::VirtualClock& clock_;
  TimerGate& gate_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::int64_t due_ = 0;
  bool fired_ = false;
};

class VirtualSlotTimerFactory final : public device::SlotTimerFactory {
 public:
  VirtualSlotTimerFactory(sim::VirtualClock& clock, TimerGate& gate) : clock_(clock), gate_(gate) {}
  std::unique_ptr<device::SlotTimer> Create() override { return std::make_unique<VirtualSlotTimer>(clock_, gate_); }

 private:
  sim::VirtualClock& clock_;
  TimerGate& gate_;
};
