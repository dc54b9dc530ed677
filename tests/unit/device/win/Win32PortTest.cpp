#include <gtest/gtest.h>

#include "device/Discovery.h"
#include "device/HidLink.h"
#include "device/win/Win32HidPort.h"
#include "device/win/Win32Sleeper.h"

// Every desktop lists HID interfaces of its own (Wine two virtual ones, a
// mouse and a keyboard), so an empty list means the enumeration is broken.
TEST(Win32HidPort, ListsOpensAndClosesTheSystemsInterfaces) {
  auto port = device::MakeWin32HidPort();
  std::vector<device::DevicePath> paths;
  ASSERT_TRUE(port->EnumerateInterfaces(paths));
  ASSERT_FALSE(paths.empty());
  int opened = 0;
  for (const auto& path : paths) {
    const auto handle = port->Open(path, device::OverlappedOpen());
    if (handle == device::kNoHandle) continue;
    ++opened;
    device::HidCapabilities caps;
    EXPECT_TRUE(port->GetCapabilities(handle, caps));
    EXPECT_NE(caps.usagePage, 0);
    port->Close(handle);
  }
  EXPECT_GT(opened, 0);
  EXPECT_EQ(port->Open(u"\\\\?\\hid#no_such_device#0", device::PlainOpen()), device::kNoHandle);
}

TEST(Win32HidPort, DiscoveryKeepsOnlyInterfacesWithNineByteReports) {
  auto port = device::MakeWin32HidPort();
  std::vector<device::DevicePath> paths;
  ASSERT_TRUE(port->EnumerateInterfaces(paths));
  ASSERT_FALSE(paths.empty());
  std::size_t nineByte = 0;
  for (const auto& path : paths) {
    const auto handle = port->Open(path, device::OverlappedOpen());
    if (handle == device::kNoHandle) continue;
    device::HidCapabilities caps;
    if (port->GetCapabilities(handle, caps) && caps.featureReportLength == 9) ++nineByte;
    port->Close(handle);
  }
  auto sleeper = device::MakeWin32Sleeper();
  device::HidLink link(*port, *sleeper);
  device::Discover(link);
  const auto devices = link.Devices();
  // Without an interface of the right length (as under Wine) nothing is kept.
  EXPECT_LE(devices.size(), nineByte);
  for (const auto& record : devices) EXPECT_EQ(record.featureLength, 9u);
}

TEST(Win32Sleeper, APauseLastsAtLeastWhatWasAsked) {
  auto sleeper = device::MakeWin32Sleeper();
  for (int ms : {1, 2, 5}) {
    const auto start = sleeper->NowMicroseconds();
    sleeper->SleepMs(ms);
    EXPECT_GE(sleeper->NowMicroseconds() - start, ms * 1000 - 100) << ms;
  }
}
