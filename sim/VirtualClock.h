#pragma once
// A Sleeper whose time moves only when someone sleeps, so timing rules can be
// checked exactly and instantly. It remembers every pause it was asked for.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "device/Sleeper.h"

namespace sim {

class VirtualClock final : public device::Sleeper {
 public:
  void SleepMicroseconds(std::int64_t us) override;
  std::int64_t NowMicroseconds() override;

  // Every pause so far, in microseconds, in order.
  std::vector<std::int64_t> Sleeps() const;
  void ClearSleeps();

 private:
  mutable std::mutex mutex_;
  std::atomic<std::int64_t> now_{0};  // read without the lock: the port stamps its log with it
  std::vector<std::int64_t> sleeps_;
};

}  // namespace sim
