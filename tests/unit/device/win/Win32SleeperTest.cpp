#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "device/win/Win32Sleeper.h"
#include "support/win/HandleCount.h"

// Device threads come and go with every operation; each one's pauses must not
// leave a handle behind when it ends.
TEST(Win32Sleeper, ThreadsThatSleptAndEndedLeaveNoHandles) {
  const std::unique_ptr<device::Sleeper> sleeper = device::MakeWin32Sleeper();
  const auto sleepInThreads = [&sleeper](int count) {
    std::vector<std::thread> threads;
    for (int i = 0; i < count; ++i) threads.emplace_back([&sleeper] { sleeper->SleepMicroseconds(200); });
    for (std::thread& thread : threads) thread.join();
  };
  sleepInThreads(4);
  const long before = HandleCount(GetCurrentProcessId());
  ASSERT_GT(before, 0) << "the system's handle list was not available";
  for (int round = 0; round < 10; ++round) sleepInThreads(4);
  EXPECT_LE(HandleCount(GetCurrentProcessId()), before + 2);
}
