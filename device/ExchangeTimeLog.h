#pragma once
// When and how long each exchange held the mouse, one line per exchange
// ("BEGIN END" in microseconds of the steady clock, which every process of
// one machine shares), so that a test can see whether two programs'
// exchanges ever overlapped. Off unless a file is named.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace device {

// The environment variable that names the file.
inline constexpr const char* kExchangeLogVariable = "VANTOR_EXCHANGE_LOG";

class ExchangeTimeLog {
 public:
  // Appends to `file`; false when it cannot be opened.
  bool Open(const std::filesystem::path& file);
  bool IsOpen() const { return out_.is_open(); }
  static std::int64_t NowUs();
  void Record(std::int64_t beginUs, std::int64_t endUs);

 private:
  std::mutex lock_;
  std::ofstream out_;
};

}  // namespace device
