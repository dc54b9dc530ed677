#include "device/PreciseSleeper.h"

#include <chrono>
#include <thread>

namespace device {

void PreciseSleeper::SleepMicroseconds(std::int64_t us) {
  if (us <= 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::microseconds(us);
  if (us > spinUs_) std::this_thread::sleep_for(std::chrono::microseconds(us - spinUs_));
  while (std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
}

std::int64_t PreciseSleeper::NowMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace device
