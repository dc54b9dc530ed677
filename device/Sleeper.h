#pragma once
// Every pause of the device link goes through a Sleeper, so tests can run the
// protocol's timing on a virtual clock and the Windows build can sleep with a
// high-resolution timer.
#include <cstdint>

namespace device {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepMicroseconds(std::int64_t us) = 0;
  // Monotonic time; only differences mean anything.
  virtual std::int64_t NowMicroseconds() = 0;

  void SleepMs(int ms) {
    if (ms > 0) SleepMicroseconds(static_cast<std::int64_t>(ms) * 1000);
  }
};

}  // namespace device
