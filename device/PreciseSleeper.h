#pragma once
// A portable Sleeper on the steady clock. The system sleep overshoots by tens
// of microseconds, which adds up over the thousands of 1 ms pauses of a memory
// transfer, so the last stretch of each pause is spent yielding instead.
#include "device/Sleeper.h"

namespace device {

class PreciseSleeper final : public Sleeper {
 public:
  // `spinUs`: how much of each pause is spent yielding rather than sleeping.
  explicit PreciseSleeper(std::int64_t spinUs = 200) : spinUs_(spinUs) {}
  void SleepMicroseconds(std::int64_t us) override;
  std::int64_t NowMicroseconds() override;

 private:
  std::int64_t spinUs_;
};

}  // namespace device
