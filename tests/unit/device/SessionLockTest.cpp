#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "device/DeviceCommands.h"
#include "device/DeviceOperations.h"
#include "tests/support/TestSessionLock.h"
#include "tests/unit/device/SimRig.h"

TEST(SessionLock, EveryExchangeAndEverySequenceUnderDeviceLockHoldsTheSession) {
  SimRig rig;
  TestSessionLock session;
  rig.link.SetSessionLock(&session);
  const std::filesystem::path times = std::filesystem::temp_directory_path() / "vantor-session-times.log";
  std::filesystem::remove(times);
  auto log = std::make_unique<device::ExchangeTimeLog>();
  ASSERT_TRUE(log->Open(times));
  rig.link.SetExchangeLog(log.get());

  ASSERT_EQ(device::SelectLevel(rig.link, rig.Path(), 1), 1);
  EXPECT_GE(session.Acquired(), 1);
  EXPECT_EQ(session.Acquired(), session.Released()) << "nothing is left held";
  std::ifstream lines(times);
  std::int64_t begin = 0, end = -1;
  ASSERT_TRUE(lines >> begin >> end) << "the exchange's times are logged";
  EXPECT_LE(begin, end);

  // A thread inside DeviceLock holds the session too, so a side-command
  // sequence of the window can never be split by the tool's requests.
  std::promise<void> inside, leave;
  std::thread sequence([&] {
    std::lock_guard<device::LinkLock> hold(rig.link.DeviceLock());
    inside.set_value();
    leave.get_future().wait();
  });
  inside.get_future().wait();
  const bool free = std::async(std::launch::async, [&] {
                      const bool got = session.Acquire(0);
                      if (got) session.Release();
                      return got;
                    }).get();
  leave.set_value();
  sequence.join();
  EXPECT_FALSE(free);
  lines.close();
  rig.link.SetExchangeLog(nullptr);
  log.reset();
  std::filesystem::remove(times);
}

namespace {

struct SilentWindow final : device::OperationProgress, device::OperationHost {
  device::DevicePath path;
  void ShowFraction(double) override {}
  void ShowStatus(device::OperationStatus, const std::u16string&) override {}
  void ShowSecondLine(const std::u16string&) override {}
  void RepaintWindow() override {}
  device::DevicePath CurrentPath() override { return path; }
  void FinishOperation() override {}
  void SaveSettings() override {}
  void DisableDeviceControls() override {}
  void LeaveResetState() override {}
  void RefreshDirectory() override {}
  void RefreshCurrentTab() override {}
  void DeviceArrival() override {}
  void StoreLevelSteps(const std::array<device::LevelSteps, 4>&) override {}
};

}  // namespace

TEST(SessionLock, LongOperationsKeepItFromTheirFirstRequestToTheirLast) {
  SimRig rig;
  TestSessionLock session;
  rig.link.SetSessionLock(&session);
  SilentWindow window;
  window.path = rig.Path();
  device::OperationTexts texts;
  const device::OperationContext context{rig.link, window, window, texts, nullptr};
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "vantor-session-backup.mbf";
  ASSERT_FALSE(device::Backup(context, file).Failed());
  // Looking the mouse up before and after the transfer takes it briefly on
  // its own; without the hold it would be given up after every request.
  EXPECT_LE(session.Freed(), 4) << "not given up between the 1171 reads";
  session.ResetFreed();
  ASSERT_FALSE(device::Restore(context, file).Failed());
  EXPECT_LE(session.Freed(), 4);
  session.ResetFreed();
  ASSERT_FALSE(device::Reset(context).Failed());
  EXPECT_LE(session.Freed(), 30) << "only the levels read again after the reset, not its 600 requests";
  std::filesystem::remove(file);
}
