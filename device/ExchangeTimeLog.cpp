#include "device/ExchangeTimeLog.h"

namespace device {

bool ExchangeTimeLog::Open(const std::filesystem::path& file) {
  out_.open(file, std::ios::out | std::ios::app | std::ios::binary);
  return out_.is_open();
}

std::int64_t ExchangeTimeLog::NowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void ExchangeTimeLog::Record(std::int64_t beginUs, std::int64_t endUs) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!out_.is_open()) return;
  // Flushed at once: the other program may be ended before this one exits.
  out_ << beginUs << ' ' << endUs << '\n' << std::flush;
}

}  // namespace device
