#pragma once
// The window's timers in simulated time: follows a controller's start and
// stop actions and delivers each tick when it falls due, counting every tick
// as one wake-up of the program.
#include <cstdint>
#include <map>

#include "app/WindowAction.h"

class TimerBoard {
 public:
  void Apply(const WindowActions& actions) {
    for (const WindowAction& action : actions.Items()) {
      if (action.kind == ActionKind::kStartTimer) timers[action.id] = {action.value, now + action.value};
      if (action.kind == ActionKind::kStopTimer) timers.erase(action.id);
    }
  }

  // Runs `ms` milliseconds; `onTick(id)` answers each tick with its actions,
  // which are applied before the next tick.
  template <typename OnTick>
  void Advance(std::int64_t ms, OnTick onTick) {
    const std::int64_t end = now + ms;
    for (;;) {
      auto due = timers.end();
      for (auto it = timers.begin(); it != timers.end(); ++it) {
        if (it->second.next <= end && (due == timers.end() || it->second.next < due->second.next)) due = it;
      }
      if (due == timers.end()) break;
      now = due->second.next;
      due->second.next += due->second.period;
      ++wakeUps;
      Apply(onTick(due->first));
    }
    now = end;
  }

  std::int64_t Now() const { return now; }
  bool Running(int id) const { return timers.count(id) > 0; }
  bool AnyRunning() const { return !timers.empty(); }
  std::int64_t WakeUps() const { return wakeUps; }

 private:
  struct Timer {
    std::int64_t period;
    std::int64_t next;
  };
  std::map<int, Timer> timers;
  std::int64_t now = 0;
  std::int64_t wakeUps = 0;
};
