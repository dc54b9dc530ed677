#include <gtest/gtest.h>

#include "device/DeviceCommands.h"
#include "device/LiveInput.h"
#include "unit/device/SimRig.h"

TEST(LiveInput, EndsEachRequestWithTheCheckByteAndSendsNothingForKeyCodeZero) {
  SimRig rig;
  EXPECT_EQ(device::KeyDown(rig.link, rig.Path(), 0), 0);
  EXPECT_EQ(device::KeyUp(rig.link, rig.Path(), 0), 0);
  ASSERT_EQ(device::KeyDown(rig.link, rig.Path(), 0x04), 1);
  ASSERT_EQ(device::SendUsage16(rig.link, rig.Path(), 0xE9, 0x00), 1);
  ASSERT_EQ(device::SetButtons(rig.link, rig.Path(), 0x01, 0x00), 1);
  ASSERT_EQ(device::KeyUp(rig.link, rig.Path(), 0x04), 1);
  EXPECT_EQ(rig.Requests(), (std::vector<std::string>{
                                "set 0D 01 04 00 00 00 00 08", "set 0D 03 E9 00 00 00 00 E7",
                                "set 0D 04 01 00 00 00 00 08", "set 0D 02 04 00 00 00 00 0B"}));
  EXPECT_TRUE(rig.Mouse().keysDown.empty());
  EXPECT_EQ(rig.Mouse().buttonsDown, 0x01);
  EXPECT_EQ(rig.Mouse().lastUsage, 0x00E9);
  EXPECT_EQ(rig.Sleeps(), std::vector<std::int64_t>(4, 1000));
}

TEST(LiveInput, RepeatsEveryMillisecondUntilTheMouseAcknowledges) {
  SimRig rig;
  rig.Mouse().faults.liveInputRefusals = 3;
  ASSERT_EQ(device::KeyDown(rig.link, rig.Path(), 0x2C), 1);
  EXPECT_EQ(rig.Requests(), std::vector<std::string>(4, "set 0D 01 2C 00 00 00 00 20"));
  EXPECT_EQ(rig.Sleeps(), std::vector<std::int64_t>(4, 1000));
  EXPECT_EQ(rig.Mouse().keysDown.count(0x2C), 1u);

  // A slow mouse is still waited for while it answers.
  rig.Forget();
  rig.Mouse().faults.transferLatencyUs = 30000;
  rig.Mouse().faults.liveInputRefusals = 2;
  EXPECT_EQ(device::KeyDown(rig.link, rig.Path(), 0x06), 1);
  EXPECT_EQ(rig.Requests().size(), 3u);
}

TEST(LiveInput, GivesUpAfterAQuarterSecondWithoutAcknowledgement) {
  SimRig rig;
  rig.Mouse().faults.liveInputRefusals = -1;
  const auto start = rig.clock.NowMicroseconds();
  EXPECT_EQ(device::SetButtons(rig.link, rig.Path(), 0x02, 0), 0);
  const auto elapsed = rig.clock.NowMicroseconds() - start;
  EXPECT_GE(elapsed, 250000);
  EXPECT_LT(elapsed, 252000);
  EXPECT_EQ(rig.Requests().size(), 250u);
  EXPECT_EQ(rig.port.OpenHandles(), 0);
  // The lock is free again: the next command goes through at once.
  rig.Mouse().faults.liveInputRefusals = 0;
  EXPECT_EQ(device::SetButtons(rig.link, rig.Path(), 0x02, 0), 1);
}

TEST(LiveInput, ASilentMouseHoldsTheLockForOneFailedExchangeAtMost) {
  SimRig rig;
  rig.Mouse().faults.neverReady = true;
  const auto start = rig.clock.NowMicroseconds();
  EXPECT_EQ(device::KeyDown(rig.link, rig.Path(), 0x05), 0);
  const auto elapsed = rig.clock.NowMicroseconds() - start;
  EXPECT_EQ(rig.Requests().size(), 1u);
  EXPECT_LE(elapsed, 802000);
}
