#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "device/DeviceCommands.h"
#include "tests/unit/device/SimRig.h"

namespace {

// Counts what the link asks of the session lock and lets another thread hold it.
class CountingSessionLock final : public device::SessionLock {
 public:
  bool Acquire(int timeoutMs) override {
    if (!mutex_.try_lock_for(std::chrono::milliseconds(timeoutMs < 0 ? 60000 : timeoutMs))) return false;
    ++acquired;
    return true;
  }
  void Release() override {
    ++released;
    mutex_.unlock();
  }
  int acquired = 0;
  int released = 0;

 private:
  std::recursive_timed_mutex mutex_;
};

}  // namespace

TEST(SessionLock, EveryExchangeAndEverySequenceUnderDeviceLockHoldsTheSession) {
  SimRig rig;
  CountingSessionLock session;
  rig.link.SetSessionLock(&session);
  const std::filesystem::path times = std::filesystem::temp_directory_path() / "vantor-session-times.log";
  std::filesystem::remove(times);
  auto log = std::make_unique<device::ExchangeTimeLog>();
  ASSERT_TRUE(log->Open(times));
  rig.link.SetExchangeLog(log.get());

  ASSERT_EQ(device::SelectLevel(rig.link, rig.Path(), 1), 1);
  EXPECT_GE(session.acquired, 1);
  EXPECT_EQ(session.acquired, session.released) << "nothing is left held";
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
