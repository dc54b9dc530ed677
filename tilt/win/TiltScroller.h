#pragma once
#include <windows.h>

#include <thread>

#include "tilt/TiltAccumulator.h"

// The thread that turns tilt reports into horizontal scrolling: it wakes on
// the tilt event, takes the accumulated tilt, gathers the windows around the
// user's focus, and posts (never sends) what the tilt decision asks for.
class TiltScroller {
 public:
  TiltScroller(TiltAccumulator& accumulator, HANDLE tiltEvent);
  ~TiltScroller();
  TiltScroller(const TiltScroller&) = delete;
  TiltScroller& operator=(const TiltScroller&) = delete;

  void Start();
  void Stop();

 private:
  void Run();
  void Cycle(std::int32_t tilt);

  TiltAccumulator& accumulator;
  HANDLE tiltEvent;
  HANDLE stopEvent;
  std::thread thread;
};
