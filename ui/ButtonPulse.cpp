#include "ui/ButtonPulse.h"

PulseTimer ButtonPulse::SetOn(bool wanted) {
  if (wanted == on) return PulseTimer::Keep;
  on = wanted;
  return on ? PulseTimer::Start : PulseTimer::Stop;
}

bool ButtonPulse::Tick() {
  if (!on) return false;
  if (falling) {
    alpha -= kStep;
    if (alpha <= kLowest) falling = false;
  } else {
    alpha += kStep;
    if (alpha >= kHighest) falling = true;
  }
  return true;
}
