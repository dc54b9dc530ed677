// Host cost of the device link: the overhead of one exchange against a mouse
// that answers instantly, and how close whole-memory transfers come to the
// protocol's own minimum against a mouse that spends 1 ms per feature transfer.
// A figure of -1 means the transfer itself failed.
#include <vector>

#include "Bench.h"
#include "BenchMouse.h"
#include "device/FeatureReport.h"
#include "device/MemoryImage.h"

namespace {

using bench::BenchMouse;
using bench::Clock;

constexpr double kTransferMs = 1.0;
// The simulated 1 ms must itself be precise on a loaded machine, or the
// ratios would measure the simulator rather than the link.
constexpr std::int64_t kSpinUs = 500;

}  // namespace

VANTOR_FIGURE(exchange_overhead_us) {
  BenchMouse bench(0, false, kSpinUs);
  const auto handle = bench.port.Open(bench.Path(), device::OverlappedOpen());
  std::vector<double> times;
  for (int i = 0; i < 20000; ++i) {
    device::FeatureReport report = device::MakeRequest(device::kGroupRegister, 0x20, 0);
    const auto start = Clock::now();
    if (!bench.link.ExchangeFeature(handle, report.data(), report.data(), device::kFeatureLength, 0)) return -1.0;
    times.push_back(bench::MillisecondsSince(start) * 1000.0);
  }
  bench.port.Close(handle);
  return bench::Percentile(times, 0.5);
}

// A read is 1171 exchanges of three transfers each (idle read, write, reply
// read) and no pauses.
VANTOR_FIGURE(read_image_ratio) {
  BenchMouse bench(1000, false, kSpinUs);
  device::MemoryImage image{};
  const auto start = Clock::now();
  if (!device::ReadImage(bench.link, bench.Path(), image)) return -1.0;
  const double wall = bench::MillisecondsSince(start);
  const int requests = (device::kMemorySize + device::kReadChunk - 1) / device::kReadChunk;
  return wall / (requests * 3 * kTransferMs);
}

// A page is seven exchanges of three transfers; five staging requests pause
// 1 ms after the write, the last one none, and the commit pauses 1 + 5 + 1 ms.
VANTOR_FIGURE(write_image_ratio) {
  BenchMouse bench(1000, false, kSpinUs);
  device::MemoryImage image{};
  const auto start = Clock::now();
  if (!device::WriteImage(bench.link, bench.Path(), image.data(), device::kMemorySize)) return -1.0;
  const double wall = bench::MillisecondsSince(start);
  const int pages = device::kMemorySize / device::kPageSize;
  const double perPageMs = 7 * 3 * kTransferMs + 5 * 1.0 + (1.0 + 5.0 + 1.0);
  return wall / (pages * perPageMs);
}
