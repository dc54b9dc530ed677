#include <gtest/gtest.h>

#include <tuple>

#include "device/Discovery.h"
#include "device/FeatureReport.h"
#include "sim/SimulatedPortFactory.h"
#include "unit/device/SimRig.h"

namespace {

std::vector<std::string> Handshake(int number) {
  return {"str 250", "set 09 00 1A 00 00 00 00 00",       "str 50", "str 251", "str 50",
          "str 250", "str " + std::to_string(30 + number)};
}

}  // namespace

TEST(Discover, NumbersTwoMiceTwoAndThreeAndTellsEachItsNumber) {
  SimRig rig(0);
  sim::MouseConfig first;
  first.identity = 0xA1B2C3D4;
  first.infoText = u"left hand";
  first.sensorKind = 0;
  first.dpiUnit = 50;
  rig.port.AddMouse(first);
  rig.port.AddMouse();
  device::Discover(rig.link);

  ASSERT_EQ(rig.link.DeviceCount(), 2);
  const auto a = rig.link.FindDevice(rig.Path(0));
  const auto b = rig.link.FindDevice(rig.Path(1));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(std::make_tuple(a->deviceNumber, b->deviceNumber, a->identity, a->sensorKind, a->dpiUnit,
                            a->infoByte14, a->infoByte15, a->featureLength, a->buttonState),
            std::make_tuple(2u, 3u, 0xA1B2C3D4u, 0u, 50u, 0x21u, 0x03u, 9u, 0u));
  EXPECT_TRUE(a->infoText == u"left hand" && a->productName == u"Vantor 3 Mouse");
  ASSERT_TRUE(a->timerSlots);
  EXPECT_EQ((*a->timerSlots)[19].runState.load(), 0);
  EXPECT_EQ(rig.Requests(0), Handshake(2));
  EXPECT_EQ(rig.Requests(1), Handshake(3));
  EXPECT_EQ(rig.link.DeviceNumberOf(rig.Path(1)), 3u);
  EXPECT_EQ(rig.link.DeviceNumberOf(u"nowhere"), 0u);
  EXPECT_EQ(rig.link.FirstDevice()->path, rig.Path(0));
}

TEST(Discover, OpensOverlappedWithoutAccessRightsAndClosesEveryInterface) {
  SimRig rig(0);
  rig.port.AddMouse();
  rig.port.AddMouseInterface(0, 65);
  rig.port.AddForeignDevice({9, u"Other"});
  device::Discover(rig.link);
  EXPECT_EQ(rig.port.OpenHandles(), 0);
  int opens = 0;
  for (const auto& event : rig.port.Log()) {
    if (event.kind != sim::SimEvent::Kind::kOpen) continue;
    ++opens;
    EXPECT_EQ(event.mode.desiredAccess, 0u);
    EXPECT_EQ(event.mode.shareMode, 3u);
    EXPECT_EQ(event.mode.flags, device::kFlagOverlapped);
  }
  EXPECT_EQ(opens, 3);
}

TEST(Discover, PausesAroundTheProbeAndTheNumberingHandshake) {
  SimRig rig(0);
  rig.port.AddMouse();
  device::Discover(rig.link);
  // 1 ms before the probe, the probe's own 1 + 8 + 1, then 1 ms after the
  // product name, after Prepare, after Prepare again and after Identify.
  EXPECT_EQ(rig.Sleeps(),
            (std::vector<std::int64_t>{1000, 1000, 8000, 1000, 1000, 1000, 1000, 1000}));
}

TEST(Discover, PassesOverOtherInterfacesForeignDevicesAndFailedProbes) {
  SimRig rig(0);
  rig.port.AddForeignDevice({0, u""});         // like the host's own virtual devices
  rig.port.AddForeignDevice({9, u""});         // right length, no identification
  rig.port.AddForeignDevice({9, u"Calvexx"});  // another maker
  const int mouse = rig.port.AddMouse();
  rig.port.AddMouseInterface(mouse, 65);
  rig.port.AddMouseInterface(mouse, 0);
  sim::MouseConfig impostor;
  impostor.probeAnswer = 0x05;
  rig.port.AddMouse(impostor);
  const int wrong = rig.port.AddMouse();
  rig.port.Mouse(wrong).faults.wrongIdentity = true;
  const int other = rig.port.AddMouse();
  rig.port.Mouse(other).config.probeAnswer = 0x76;

  device::Discover(rig.link);
  const auto devices = rig.link.Devices();
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[0].path, rig.Path(mouse));
  EXPECT_EQ(devices[1].path, rig.Path(other));
  // Rejected mice are never told a number.
  EXPECT_EQ(rig.Mouse(1).deviceNumber, 0);
  EXPECT_EQ(rig.Mouse(2).deviceNumber, 0);
}

TEST(Discover, EmptiesTheListFirstSoARediscoveredMouseGetsTheNextNumber) {
  SimRig rig(2);
  EXPECT_EQ(rig.link.DeviceNumberOf(rig.Path(1)), 3u);
  rig.Mouse(1).Unplug();
  device::Discover(rig.link);
  ASSERT_EQ(rig.link.DeviceCount(), 1);
  EXPECT_EQ(rig.link.DeviceNumberOf(rig.Path(0)), 4u);
  EXPECT_EQ(rig.Mouse(0).deviceNumber, 4);
}

TEST(Discover, WrapsDeviceNumbersPastNineteenToOne) {
  SimRig rig(0);
  for (int i = 0; i < 3; ++i) rig.port.AddMouse();
  rig.link.deviceCounter = 18;
  device::Discover(rig.link);
  EXPECT_EQ(rig.link.DeviceNumberOf(rig.Path(0)), 19u);
  EXPECT_EQ(rig.link.DeviceNumberOf(rig.Path(1)), 1u);
  EXPECT_EQ(rig.link.DeviceNumberOf(rig.Path(2)), 2u);
  EXPECT_EQ(rig.Requests(1).back(), "str 31");
}

TEST(NextDeviceNumber, SkipsNumbersInUseAndRunsOutAfterNineteen) {
  device::DeviceList list;
  const auto use = [&list](std::uint32_t n) {
    device::MouseDevice record;
    record.path = u"p" + std::u16string(1, static_cast<char16_t>(u'a' + n));
    record.deviceNumber = n;
    list.Store(record);
  };
  use(3);
  use(4);
  std::uint8_t counter = 2;
  EXPECT_EQ(device::NextDeviceNumber(counter, list), 5u);
  for (std::uint32_t n = 1; n <= 19; ++n) use(n);
  EXPECT_EQ(device::NextDeviceNumber(counter, list), 0u);
}

TEST(Discover, KeepsAMouseWhoseIdentityCannotBeReadUnderIdentityZero) {
  SimRig rig(0);
  rig.port.AddMouse();
  // Identify and the probe are served; the mouse leaves before Prepare.
  rig.port.Mouse(0).faults.unplugAfterRequests = 2;
  device::Discover(rig.link);
  ASSERT_EQ(rig.link.DeviceCount(), 1);
  EXPECT_EQ(rig.link.FirstDevice()->identity, 0u);
  EXPECT_EQ(rig.port.OpenHandles(), 0);
}

TEST(Discover, TheSimulatedModeShowsOneOrTwoMiceAmongOtherDevices) {
  sim::VirtualClock clock;
  for (int mice : {1, 2}) {
    auto port = sim::MakeSimulatedHidPort(mice);
    device::HidLink link(*port, clock);
    device::Discover(link);
    const auto devices = link.Devices();
    ASSERT_EQ(static_cast<int>(devices.size()), mice);
    EXPECT_EQ(devices[0].deviceNumber, 2u);
    if (mice == 2) {
      EXPECT_EQ(devices[1].deviceNumber, 3u);
      EXPECT_NE(devices[0].identity, devices[1].identity);
    }
  }
}
