// How close a whole backup and a whole restore come to the protocol's own
// minimum, against a mouse that spends 1 ms per feature transfer. An exchange
// is three transfers (idle read, write, reply read) plus its settle pause,
// which from 5 ms on also brings 1 ms before the write and 1 ms after the
// reply. A figure of -1 means the operation itself failed.
#include <filesystem>
#include <string>

#include "Bench.h"
#include "BenchMouse.h"
#include "device/BackupFile.h"
#include "device/DeviceOperations.h"
#include "support/QuietPlatform.h"

namespace {

using bench::Clock;

constexpr double kTransferMs = 1.0;

double ExchangeMs(int settleMs) {
  return 3 * kTransferMs + (settleMs > 0 ? settleMs : 0) + (settleMs > 4 ? 2 : 0);
}

struct Bench {
  bench::BenchMouse mouse{1000};
  QuietWindow window;
  device::OperationTexts texts;
  device::OperationContext context{mouse.link, window, window, texts, nullptr};
  std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("vantor-backup-bench-" + std::to_string(Clock::now().time_since_epoch().count()) + ".mbf");

  Bench() { window.path = mouse.Path(); }
  ~Bench() {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
  }
};

}  // namespace

// 1171 memory reads, two level reads of 2 ms settle for each of the 4 levels,
// and 16 name bytes for each of the 7 profiles.
VANTOR_FIGURE(backup_ratio) {
  Bench bench;
  const auto start = Clock::now();
  if (device::Backup(bench.context, bench.file).Failed()) return -1.0;
  const double wall = bench::MillisecondsSince(start);
  const int reads = (device::kMemorySize + device::kReadChunk - 1) / device::kReadChunk;
  const double minimum = reads * ExchangeMs(0) + 8 * ExchangeMs(2) + 7 * 16 * ExchangeMs(0);
  return wall / minimum;
}

// 256 pages (five staging requests of 1 ms, one of none, a commit of 5 ms),
// four levels of four 1 ms writes each (the identification read is not a
// feature transfer), 7 x 16 name bytes and the closing commit of 10 ms.
VANTOR_FIGURE(restore_ratio) {
  Bench bench;
  device::BackupFile backup;
  for (std::size_t i = 0; i < backup.image.size(); ++i)
    backup.image[i] = static_cast<std::uint8_t>(i * 7);
  backup.levels = {{{4, 4}, {8, 9}, {12, 12}, {16, 40}}};
  backup.names = {u"One", u"Two", u"Three", u"Four", u"Five", u"Six", u"Seven"};
  if (!device::SaveBackupFile(bench.file, backup)) return -1.0;
  const auto start = Clock::now();
  if (device::Restore(bench.context, bench.file).Failed()) return -1.0;
  const double wall = bench::MillisecondsSince(start);
  const int pages = device::kMemorySize / device::kPageSize;
  const double perPage = 5 * ExchangeMs(1) + ExchangeMs(0) + ExchangeMs(5);
  const double minimum = pages * perPage + 4 * 4 * ExchangeMs(1) + 7 * 16 * ExchangeMs(0) +
                         ExchangeMs(device::kOperationCommitSettleMs);
  return wall / minimum;
}
