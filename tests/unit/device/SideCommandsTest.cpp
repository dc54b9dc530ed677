#include <gtest/gtest.h>

#include <thread>

#include "device/SideCommands.h"
#include "unit/device/SimRig.h"

namespace {

std::vector<std::string> Strings(std::initializer_list<int> indices) {
  std::vector<std::string> lines;
  for (int index : indices) lines.push_back("str " + std::to_string(index));
  return lines;
}

}  // namespace

TEST(SetDeviceParameter, SendsTheKindThenIdentifyThenTheSettingModuloNine) {
  SimRig rig;
  ASSERT_EQ(device::SetDeviceParameter(rig.link, rig.Path(), 1, 11), 1);
  EXPECT_EQ(rig.Requests(), Strings({76, 61, 250, 92}));
  EXPECT_EQ(rig.Mouse().parameters[1], 2);
  ASSERT_EQ(device::SetDeviceParameter(rig.link, rig.Path(), 2, -1), 1);
  EXPECT_EQ(rig.Mouse().parameters[2], 8);
}

// 0x3A goes as both nibbles, 0x05 as its low nibble alone.
TEST(SetButtonMasks, DeliversBothMasksWithAPauseBetweenSendingAHighNibbleOnlyWhenItIsNotZero) {
  SimRig rig;
  ASSERT_EQ(device::SetButtonMasks(rig.link, rig.Path(), 0x3A, 0x05), 1);
  EXPECT_EQ(rig.Requests(), Strings({76, 70, 77, 63, 250, 108, 76, 65, 250, 109}));
  EXPECT_EQ(rig.Sleeps(), std::vector<std::int64_t>{2000});
  EXPECT_EQ(rig.Mouse().maskA, 0x3A);
  EXPECT_EQ(rig.Mouse().maskB, 0x05);
  EXPECT_EQ(rig.port.OpenHandles(), 0);
}

TEST(SideCommands, SequencesFromTwoThreadsNeverInterleave) {
  SimRig rig;
  std::thread masks([&] {
    for (int i = 0; i < 200; ++i) device::SetButtonMasks(rig.link, rig.Path(), 0xC3, 0x3C);
  });
  std::thread parameters([&] {
    for (int i = 0; i < 200; ++i) device::SetDeviceParameter(rig.link, rig.Path(), 0x21, 4);
  });
  masks.join();
  parameters.join();
  EXPECT_EQ(rig.Mouse().maskA, 0xC3);
  EXPECT_EQ(rig.Mouse().maskB, 0x3C);
  for (int kind = 0; kind < 256; ++kind) {
    EXPECT_EQ(rig.Mouse().parameters[static_cast<std::size_t>(kind)], kind == 0x21 ? 4 : -1)
        << kind;
  }
}

TEST(ReleaseAll, HandsEveryListedMouseBack) {
  SimRig rig(2);
  rig.Mouse(1).maskA = 7;
  EXPECT_EQ(device::ReleaseAll(rig.link), 2);
  EXPECT_EQ(rig.Requests(0), Strings({250, 51}));
  EXPECT_EQ(rig.Requests(1), Strings({250, 51}));
  EXPECT_EQ(rig.Sleeps(), (std::vector<std::int64_t>{2000, 2000, 2000, 2000}));
  EXPECT_TRUE(rig.Mouse(1).released);
  EXPECT_EQ(rig.Mouse(1).maskA, 0);
}

TEST(ReleaseAll, SkipsAMouseThatHasGone) {
  SimRig rig(2);
  rig.Mouse(0).Unplug();
  EXPECT_EQ(device::ReleaseAll(rig.link), 1);
  EXPECT_TRUE(rig.Requests(0).empty());
}
