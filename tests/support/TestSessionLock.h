#pragma once
// A session lock that another thread of a test can hold, as the window or the
// tool would, and that counts what the link asks of it. Built on a mutex and
// a condition variable rather than a timed mutex, whose clock-based waits
// ThreadSanitizer does not follow.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "device/SessionLock.h"

class TestSessionLock final : public device::SessionLock {
 public:
  bool Acquire(int timeoutMs) override {
    std::unique_lock<std::mutex> hold(mutex);
    const auto me = std::this_thread::get_id();
    const auto free = [&] { return depth == 0 || owner == me; };
    if (timeoutMs < 0) {
      released.wait(hold, free);
    } else if (!released.wait_for(hold, std::chrono::milliseconds(timeoutMs), free)) {
      return false;
    }
    owner = me;
    ++depth;
    ++acquired;
    return true;
  }
  void Release() override {
    std::lock_guard<std::mutex> hold(mutex);
    ++releasedCount;
    if (--depth == 0) {
      ++freed;
      released.notify_all();
    }
  }

  int Acquired() {
    std::lock_guard<std::mutex> hold(mutex);
    return acquired;
  }
  int Released() {
    std::lock_guard<std::mutex> hold(mutex);
    return releasedCount;
  }
  // Times the session was given up altogether.
  int Freed() {
    std::lock_guard<std::mutex> hold(mutex);
    return freed;
  }
  void ResetFreed() {
    std::lock_guard<std::mutex> hold(mutex);
    freed = 0;
  }

 private:
  std::mutex mutex;
  std::condition_variable released;
  std::thread::id owner;
  int depth = 0;
  int acquired = 0;
  int releasedCount = 0;
  int freed = 0;
};
