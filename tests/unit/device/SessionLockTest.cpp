#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "device/DeviceCommands.h"
#include "tests/support/TestSessionLock.h"
#include "tests/unit/device/OperationRig.h"

TEST(SessionLock, EveryExchangeAndEverySequenceUnderDeviceLockHoldsTheSession) {
  SimRig rig;
  TestSessionLock session;
  rig.link.SetSessionLock(&session);
  TempFolder folder;
  const std::filesystem::path times = folder / "times.log";
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
}

TEST(SessionLock, LongOperationsKeepItFromTheirFirstRequestToTheirLast) {
  OperationRig ops;
  TestSessionLock session;
  ops.rig.link.SetSessionLock(&session);
  TempFolder folder;
  const std::filesystem::path file = folder / "backup.mbf";
  ASSERT_FALSE(device::Backup(ops.context, file).Failed());
  // Looking the mouse up before and after the transfer takes it briefly on
  // its own; without the hold it would be given up after every request.
  EXPECT_LE(session.Freed(), 4) << "not given up between the 1171 reads";
  session.ResetFreed();
  ASSERT_FALSE(device::Restore(ops.context, file).Failed());
  EXPECT_LE(session.Freed(), 4);
  session.ResetFreed();
  ASSERT_FALSE(device::Reset(ops.context).Failed());
  EXPECT_LE(session.Freed(), 30) << "only the levels read again after the reset, not its 600 requests";
}

TEST(SessionLock, TheDeviceRecordsStayReadableWhileALongOperationHoldsTheSession) {
  SimRig rig;
  TestSessionLock session;
  rig.link.SetSessionLock(&session);
  std::promise<void> holding, leave;
  std::thread operation([&] {
    device::SessionHold hold(rig.link.DeviceLock());
    holding.set_value();
    leave.get_future().wait();
  });
  holding.get_future().wait();
  // The window's thread reads the records for every report of the mouse; it
  // must not wait for the operation's end to do so.
  auto read = std::async(std::launch::async, [&] { return rig.link.DeviceNumberOf(rig.Path()); });
  const bool answered = read.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  leave.set_value();
  operation.join();
  EXPECT_TRUE(answered);
  EXPECT_NE(read.get(), 0u);
}
