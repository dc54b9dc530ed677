#include "sim/VirtualClock.h"

namespace sim {

void VirtualClock::SleepMicroseconds(std::int64_t us) {
  if (us <= 0) return;
  std::lock_guard<std::mutex> hold(mutex_);
  now_.fetch_add(us);
  sleeps_.push_back(us);
}

std::int64_t VirtualClock::NowMicroseconds() { return now_.load(); }

std::vector<std::int64_t> VirtualClock::Sleeps() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return sleeps_;
}

void VirtualClock::ClearSleeps() {
  std::lock_guard<std::mutex> hold(mutex_);
  sleeps_.clear();
}

}  // namespace sim
