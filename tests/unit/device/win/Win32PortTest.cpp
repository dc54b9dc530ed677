#include <gtest/gtest.h>

#include "device/Discovery.h"
#include "device/HidLink.h"
#include "device/win/Win32HidPort.h"
#include "device/win/Win32Sleeper.h"

TEST(Win32HidPort, ListsOpensAndClosesTheSystemsInterfaces) {
  auto port = device::MakeWin32HidPort();
  std::vector<device::DevicePath> paths;
  ASSERT_TRUE(port->EnumerateInterfaces(paths));
  for (const auto& path : paths) {
    const auto handle = port->Open(path, device::OverlappedOpen());
    if (handle == device::kNoHandle) continue;
    device::HidCapabilities caps;
    EXPECT_TRUE(port->GetCapabilities(handle, caps));
    port->Close(handle);
  }
  EXPECT_EQ(port->Open(u"\\\\?\\hid#no_such_device#0", device::PlainOpen()), device::kNoHandle);
}

TEST(Win32HidPort, DiscoveryKeepsOnlyInterfacesWithNineByteReports) {
  auto port = device::MakeWin32HidPort();
  auto sleeper = device::MakeWin32Sleeper();
  device::HidLink link(*port, *sleeper);
  device::Discover(link);
  for (const auto& record : link.Devices()) EXPECT_EQ(record.featureLength, 9u);
}

TEST(Win32Sleeper, APauseLastsAtLeastWhatWasAsked) {
  auto sleeper = device::MakeWin32Sleeper();
  for (int ms : {1, 2, 5}) {
    const auto start = sleeper->NowMicroseconds();
    sleeper->SleepMs(ms);
    EXPECT_GE(sleeper->NowMicroseconds() - start, ms * 1000 - 100) << ms;
  }
}
