#pragma once
#include <windows.h>

#include "device/SlotTimer.h"

namespace device {

// A SlotTimer on a high-resolution waitable timer where the system has one
// (a plain one otherwise, whose ticks may be as coarse as the system clock),
// with an auto-reset event beside it for the early wake-up.
class WinSlotTimer final : public SlotTimer {
 public:
  WinSlotTimer();
  ~WinSlotTimer() override;
  WinSlotTimer(const WinSlotTimer&) = delete;
  WinSlotTimer& operator=(const WinSlotTimer&) = delete;

  void Arm(std::int64_t dueUs) override;
  void Wait() override;
  void FireNow() override;
  void Reset() override;

 private:
  HANDLE timer = nullptr;
  HANDLE fired = nullptr;
};

class WinSlotTimerFactory final : public SlotTimerFactory {
 public:
  std::unique_ptr<SlotTimer> Create() override { return std::make_unique<WinSlotTimer>(); }
};

}  // namespace device
