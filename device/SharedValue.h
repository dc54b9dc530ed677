#pragma once
// A value that several threads read and write whole, such as the current
// device path: every access copies under a lock.
#include <mutex>
#include <utility>

namespace device {

template <typename T>
class SharedValue {
 public:
  SharedValue() = default;
  explicit SharedValue(T value) : value_(std::move(value)) {}

  T Get() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return value_;
  }
  void Set(T value) {
    std::lock_guard<std::mutex> hold(mutex_);
    value_ = std::move(value);
  }
  // Changes the value in place under the lock.
  template <typename Fn>
  void Update(Fn&& change) {
    std::lock_guard<std::mutex> hold(mutex_);
    change(value_);
  }

 private:
  mutable std::mutex mutex_;
  T value_{};
};

}  // namespace device
