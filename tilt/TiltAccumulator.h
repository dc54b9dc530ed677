#pragma once
// The wheel movement of the mouse's input reports, summed between two cycles
// of the tilt scroller. The report handler adds; the scroller takes the
// horizontal sum and resets it under the same lock, so no amount is lost
// between reading and resetting.
#include <cstdint>
#include <mutex>

class TiltAccumulator {
 public:
  void Add(std::int8_t horizontal, std::int8_t vertical) {
    std::lock_guard<std::mutex> hold(lock);
    tilt += horizontal;
    wheel += vertical;
  }

  // Returns the horizontal sum since the last call and resets it.
  std::int32_t TakeTilt() {
    std::lock_guard<std::mutex> hold(lock);
    const std::int32_t value = tilt;
    tilt = 0;
    return value;
  }

  std::int32_t Wheel() {
    std::lock_guard<std::mutex> hold(lock);
    return wheel;
  }

 private:
  std::mutex lock;
  std::int32_t tilt = 0;
  std::int32_t wheel = 0;
};
