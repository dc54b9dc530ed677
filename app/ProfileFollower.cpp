#include "app/ProfileFollower.h"

int ProfileFollower::OnForegroundChange(const ForegroundProgram& program, int current, bool busy) {
  if (program == front_) return waiting_ && !busy ? OnBusyCleared(current) : kNoSwitch;
  front_ = program;
  waiting_ = busy;
  return busy ? kNoSwitch : Decide(current);
}

int ProfileFollower::OnBusyCleared(int current) {
  if (!waiting_) return kNoSwitch;
  waiting_ = false;
  return Decide(current);
}

int ProfileFollower::Decide(int current) const {
  const int wanted = rules_.ProfileFor(front_);
  return wanted == kStayOnNoMatch || wanted == current ? kNoSwitch : wanted;
}
