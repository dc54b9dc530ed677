#pragma once
// The recording dot on a button breathes: every 30 ms its alpha moves by 8
// between 64 and 240. The timer that drives it runs only while the dot is
// shown, so an idle program is not woken dozens of times a second.
#include <cstdint>

// What the button must do with its timer after a change.
enum class PulseTimer { Keep, Start, Stop };

class ButtonPulse {
 public:
  static constexpr int kPeriodMs = 30;
  static constexpr int kStep = 8;
  static constexpr int kLowest = 64;
  static constexpr int kHighest = 240;
  static constexpr int kFirst = 128;

  // Shows or hides the dot. The alpha carries on from where it stopped.
  PulseTimer SetOn(bool on);
  // One timer tick: the next alpha; true when the button must repaint.
  bool Tick();

  bool On() const { return on; }
  bool TimerWanted() const { return on; }
  uint8_t Alpha() const { return static_cast<uint8_t>(alpha); }

 private:
  bool on = false;
  bool falling = false;
  int alpha = kFirst;
};
