#pragma once
// The precise one-shot timer a macro player waits on between steps. The
// player arms it with the time left until its next step and waits; stopping
// a player fires it at once so the wait ends early. A fire that comes before
// the wait is kept until the next wait, so a stop can never be missed.
#include <cstdint>
#include <memory>

namespace device {

class SlotTimer {
 public:
  virtual ~SlotTimer() = default;
  // Starts the countdown of `dueUs` microseconds from now, replacing an
  // earlier one. A due time of 0 or less is due at once.
  virtual void Arm(std::int64_t dueUs) = 0;
  // Returns when the armed time has come or FireNow was called (whichever is
  // first), and uses the fire up.
  virtual void Wait() = 0;
  // Ends the current wait, or the next one if nobody waits now. Any thread.
  virtual void FireNow() = 0;
  // Forgets a fire that nobody waited for.
  virtual void Reset() = 0;
};

class SlotTimerFactory {
 public:
  virtual ~SlotTimerFactory() = default;
  virtual std::unique_ptr<SlotTimer> Create() = 0;
};

}  // namespace device
