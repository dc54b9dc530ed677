// Host cost of the device link: the overhead of one exchange against a mouse
// that answers instantly, and how close whole-memory transfers come to the
// protocol's own minimum against a mouse that spends 1 ms per feature transfer.
// A figure of -1 means the transfer itself failed.
#include <algorithm>
#include <chrono>
#include <vector>

#include "Bench.h"
#include "device/Discovery.h"
#include "device/FeatureReport.h"
#include "device/HidLink.h"
#include "device/MemoryImage.h"
#include "device/PreciseSleeper.h"
#include "sim/SimulatedHidPort.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTransferMs = 1.0;

struct Bench {
  // The simulated 1 ms must itself be precise on a loaded machine, or the
  // ratios would measure the simulator rather than the link.
  device::PreciseSleeper sleeper{500};
  sim::SimulatedHidPort port{&sleeper};
  device::HidLink link{port, sleeper};

  explicit Bench(std::int64_t latencyUs) {
    port.AddMouse();
    device::Discover(link);
    port.SetLogging(false);
    port.Mouse(0).faults.transferLatencyUs = latencyUs;
  }
  device::DevicePath Path() const { return port.ConfigPath(0); }
};

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

}  // namespace

VANTOR_FIGURE(exchange_overhead_us) {
  Bench bench(0);
  const auto handle = bench.port.Open(bench.Path(), device::OverlappedOpen());
  std::vector<double> times;
  constexpr int kRuns = 20000;
  times.reserve(kRuns);
  for (int i = 0; i < kRuns; ++i) {
    device::FeatureReport report = device::MakeRequest(device::kGroupRegister, 0x20, 0);
    const auto start = Clock::now();
    const int ok =
        bench.link.ExchangeFeature(handle, report.data(), report.data(), device::kFeatureLength, 0);
    if (!ok) return -1.0;
    times.push_back(Seconds(start, Clock::now()) * 1e6);
  }
  bench.port.Close(handle);
  std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
  return times[kRuns / 2];
}

// A read is 1171 exchanges of three transfers each (idle read, write, reply
// read) and no pauses.
VANTOR_FIGURE(read_image_ratio) {
  Bench bench(1000);
  device::MemoryImage image{};
  const auto start = Clock::now();
  if (!device::ReadImage(bench.link, bench.Path(), image)) return -1.0;
  const double wall = Seconds(start, Clock::now()) * 1000.0;
  const int requests = (device::kMemorySize + device::kReadChunk - 1) / device::kReadChunk;
  return wall / (requests * 3 * kTransferMs);
}

// A page is seven exchanges of three transfers; five staging requests pause
// 1 ms after the write, the last one none, and the commit pauses 1 + 5 + 1 ms.
VANTOR_FIGURE(write_image_ratio) {
  Bench bench(1000);
  device::MemoryImage image{};
  const auto start = Clock::now();
  if (!device::WriteImage(bench.link, bench.Path(), image.data(), device::kMemorySize)) return -1.0;
  const double wall = Seconds(start, Clock::now()) * 1000.0;
  const int pages = device::kMemorySize / device::kPageSize;
  const double perPageMs = 7 * 3 * kTransferMs + 5 * 1.0 + (1.0 + 5.0 + 1.0);
  return wall / (pages * perPageMs);
}
