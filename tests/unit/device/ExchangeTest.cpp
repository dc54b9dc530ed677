#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <future>
#include <thread>

#include "device/FeatureReport.h"
#include "unit/device/SimRig.h"

using device::FeatureReport;

namespace {

// A port whose feature reads come from a script, for replies no well-behaved
// mouse would give.
class ScriptedPort final : public device::HidPort {
 public:
  std::deque<FeatureReport> reads;
  int writes = 0;
  bool EnumerateInterfaces(std::vector<device::DevicePath>&) override { return true; }
  device::HidHandle Open(const device::DevicePath&, const device::OpenMode&) override { return 1; }
  void Close(device::HidHandle) override {}
  bool GetCapabilities(device::HidHandle, device::HidCapabilities&) override { return false; }
  bool GetAttributes(device::HidHandle, device::HidAttributes&) override { return false; }
  bool GetFeature(device::HidHandle, std::uint8_t* buffer, std::size_t) override {
    if (reads.empty()) return false;
    std::copy(reads.front().begin(), reads.front().end(), buffer);
    reads.pop_front();
    return true;
  }
  bool SetFeature(device::HidHandle, const std::uint8_t*, std::size_t) override {
    ++writes;
    return true;
  }
  bool GetIndexedString(device::HidHandle, int, std::uint8_t*, std::size_t) override {
    return false;
  }
  bool GetProductString(device::HidHandle, std::u16string&) override { return false; }
};

int CountKind(const sim::SimulatedHidPort& port, sim::SimEvent::Kind kind) {
  int count = 0;
  for (const auto& event : port.Log()) count += event.kind == kind;
  return count;
}

device::HidHandle OpenFirst(SimRig& rig) {
  return rig.port.Open(rig.Path(), device::OverlappedOpen());
}

}  // namespace

// Above four, the settle also brings 1 ms before the write and 1 ms after the reply.
TEST(ExchangeFeature, PausesForTheSettleAfterTheWriteAndAroundItAboveFour) {
  SimRig rig;
  const auto handle = OpenFirst(rig);
  const std::vector<std::pair<int, std::vector<std::int64_t>>> cases = {
      {5, {1000, 5000, 1000}}, {4, {4000}}, {1, {1000}}, {0, {}}, {-3, {}}};
  for (const auto& [settle, sleeps] : cases) {
    rig.Forget();
    const auto start = rig.clock.NowMicroseconds();
    FeatureReport report = device::MakeRequest(device::kGroupRegister, 0x20, 0);
    ASSERT_EQ(rig.link.ExchangeFeature(handle, report.data(), report.data(), 9, settle), 1);
    EXPECT_EQ(rig.Sleeps(), sleeps) << "settle " << settle;
    for (const auto& event : rig.port.Log()) {
      if (event.kind == sim::SimEvent::Kind::kSetFeature) {
        EXPECT_EQ(event.timeUs, start + (settle > 4 ? 1000 : 0)) << "settle " << settle;
      }
    }
  }
  rig.port.Close(handle);
}

// A mouse busy throughout is read 21 times and never written; one that never
// flags its reply ready is read 201 times after the write.
TEST(ExchangeFeature, GivesUpOnABusyOrNeverReadyMouseAfterItsCountOfReads) {
  for (const bool busy : {true, false}) {
    SimRig rig;
    (busy ? rig.Mouse().faults.alwaysBusy : rig.Mouse().faults.neverReady) = true;
    const auto handle = OpenFirst(rig);
    rig.Forget();
    FeatureReport report = device::MakeRequest(device::kGroupControl, 0x02, 0x12);
    EXPECT_EQ(rig.link.ExchangeFeature(handle, report.data(), report.data(), 9, busy ? 20 : 0), 0);
    EXPECT_EQ(CountKind(rig.port, sim::SimEvent::Kind::kGetFeature), busy ? 21 : 1 + 201);
    EXPECT_EQ(CountKind(rig.port, sim::SimEvent::Kind::kSetFeature), busy ? 0 : 1);
    EXPECT_EQ(rig.Sleeps(), std::vector<std::int64_t>(busy ? 20 : 200, 4000));
    rig.port.Close(handle);
  }
}

// One buffer serves for the request and the reply.
TEST(ExchangeFeature, WaitsOutABusySpellAndThenReadsTheReplyIntoTheRequestsBuffer) {
  SimRig rig;
  rig.Mouse().faults.busyReadsPerRequest = 3;
  rig.Mouse().registers[0x0B] = 0x5E;
  const auto handle = OpenFirst(rig);
  rig.Forget();
  FeatureReport report = device::MakeRequest(device::kGroupRegister, 0x0B, 0);
  report[0] = 0x33;  // the transport writes the ID 0 itself; the rig fails on a request the mouse refuses
  ASSERT_EQ(rig.link.ExchangeFeature(handle, report.data(), report.data(), 9, 0), 1);
  EXPECT_EQ(report[1], device::kGroupRegister);  // the reply's status, flags cleared
  EXPECT_EQ(report[2], 0x5E);
  EXPECT_EQ(rig.Sleeps(), std::vector<std::int64_t>(3, 4000));
  rig.port.Close(handle);
}

TEST(ExchangeFeature, AcceptsAReplyFlaggedBusyAndReadyAndClearsBothFlags) {
  ScriptedPort port;
  sim::VirtualClock clock;
  device::HidLink link(port, clock);
  FeatureReport idle{};
  FeatureReport reply{0, 0xC5, 0x77, 1, 2, 3, 4, 5, 6};
  port.reads = {idle, reply};
  FeatureReport request = device::MakeRequest(device::kGroupRegister, 1, 0);
  FeatureReport answer{};
  ASSERT_EQ(link.ExchangeFeature(1, request.data(), answer.data(), 9, 0), 1);
  EXPECT_EQ(answer[1], 0x05);
  EXPECT_EQ(answer[2], 0x77);
  EXPECT_EQ(port.writes, 1);
}

TEST(ExchangeFeature, RefusesLengthsTheStatusByteOrScratchBufferCannotHold) {
  SimRig rig;
  const auto handle = OpenFirst(rig);
  std::vector<std::uint8_t> big(201);
  EXPECT_EQ(rig.link.ExchangeFeature(handle, big.data(), big.data(), 201, 0), 0);
  EXPECT_EQ(rig.link.ExchangeFeature(handle, big.data(), big.data(), 1, 0), 0);
  EXPECT_TRUE(rig.Requests().empty());
  rig.port.Close(handle);
}

TEST(ExchangeFeatureByPath, OpensPlainlyAndClosesOnEveryWayOut) {
  SimRig rig;
  FeatureReport report = device::MakeRequest(device::kGroupRegister, 0x20, 0);
  ASSERT_EQ(rig.link.ExchangeFeatureByPath(rig.Path(), report.data(), report.data(), 9, 0), 1);
  rig.Mouse().faults.neverReady = true;
  EXPECT_EQ(rig.link.ExchangeFeatureByPath(rig.Path(), report.data(), report.data(), 9, 0), 0);
  EXPECT_EQ(rig.port.OpenHandles(), 0);
  for (const auto& event : rig.port.Log()) {
    if (event.kind != sim::SimEvent::Kind::kOpen) continue;
    EXPECT_EQ(event.mode.desiredAccess, 0u);
    EXPECT_EQ(event.mode.shareMode, device::kShareRead | device::kShareWrite);
    EXPECT_EQ(event.mode.flags, 0u);
    EXPECT_TRUE(event.mode.inheritHandle);
  }
}

TEST(ExchangeFeatureByPath, AVanishedPathFailsWithoutWaitingForTheLock) {
  SimRig rig;
  std::promise<void> locked;
  std::promise<void> release;
  std::thread holder([&] {
    std::lock_guard<device::LinkLock> hold(rig.link.DeviceLock());
    locked.set_value();
    release.get_future().wait();
  });
  locked.get_future().wait();
  auto result = std::async(std::launch::async, [&] {
    FeatureReport report{};
    return rig.link.ExchangeFeatureByPath(u"\\\\?\\hid#gone", report.data(), report.data(), 9, 0);
  });
  const bool finished = result.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  release.set_value();
  holder.join();
  EXPECT_TRUE(finished);
  EXPECT_EQ(result.get(), 0);
}
