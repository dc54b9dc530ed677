#include <gtest/gtest.h>

#include <tuple>

#include "device/DeviceCommands.h"
#include "device/Discovery.h"
#include "unit/device/OperationRig.h"

TEST(SetButtonFunction, RecordsTheUsersIndexAndSendsButtonsThreeAndFourSwapped) {
  SimRig rig;
  RecordingButtonTable table;
  ASSERT_EQ(device::SetButtonFunction(rig.link, rig.Path(), 2, 3, 0x05, 0x1234, &table), 1);
  ASSERT_EQ(device::SetButtonFunction(rig.link, rig.Path(), 2, 4, 0x06, 0x0001, &table), 1);
  ASSERT_EQ(device::SetButtonFunction(rig.link, rig.Path(), 2, 5, 0x07, 0xFFFF, &table), 1);
  EXPECT_EQ(rig.Requests(),
            (std::vector<std::string>{"set 01 85 02 04 05 34 12 12", "set 01 85 02 03 06 01 00 12",
                                      "set 01 85 02 05 07 FF FF 12"}));
  EXPECT_EQ(rig.Mouse().buttonFunctions[2][4].code, 0x1234);
  EXPECT_EQ(rig.Mouse().buttonFunctions[2][4].kind, 0x05);
  EXPECT_EQ(table.entries.front(), std::make_tuple(2, 3, 5, 0x1234));
  EXPECT_EQ(rig.Sleeps().size(), 3u * 3u);  // 1 + 10 + 1 ms around each
}

TEST(SetButtonFunction, StillRecordsWhenNoMouseIsAttached) {
  SimRig rig(0);
  RecordingButtonTable table;
  EXPECT_EQ(device::SetButtonFunction(rig.link, u"", 0, 1, 2, 3, &table), 0);
  EXPECT_EQ(table.entries.size(), 1u);
  EXPECT_TRUE(rig.Requests().empty());
}

TEST(DeviceCommands, AnUnlistedPathSendsNothing) {
  SimRig rig;
  const device::DevicePath gone = u"\\\\?\\hid#gone";
  std::uint8_t value = 0, x = 0, y = 0;
  device::LevelRatio ratio;
  EXPECT_EQ(device::ReadLevelSteps(rig.link, gone, 0, x, y), 0);
  EXPECT_EQ(device::ReadLevelRatio(rig.link, gone, 0, ratio), 0);
  EXPECT_EQ(device::ReadCurrentLevel(rig.link, gone), 0);
  EXPECT_EQ(device::SelectLevel(rig.link, gone, 1), 0);
  EXPECT_EQ(device::SetLevelStep(rig.link, gone, 0, 1, 8), 0);
  EXPECT_EQ(device::SetLevelRatio(rig.link, gone, 0, 1, 1, 2), 0);
  EXPECT_EQ(device::CommitSettings(rig.link, gone), 0);
  EXPECT_EQ(device::ReadNameByte(rig.link, gone, 0, 0, false, value), 0);
  EXPECT_EQ(device::WriteNameByte(rig.link, gone, 0, 0, 1), 0);
  EXPECT_EQ(device::SetProfileValues(rig.link, gone, 0, 1, 2, 3), 0);
  EXPECT_EQ(device::ReadRegister(rig.link, gone, 0, 0, value), 0);
  EXPECT_TRUE(rig.port.Log().empty());
}

TEST(DeviceCommands, LevelRequestsCarryAxisLevelAndValues) {
  SimRig rig;
  ASSERT_EQ(device::SetLevelStep(rig.link, rig.Path(), device::kAxisY, 2, 16), 1);
  ASSERT_EQ(device::SetLevelRatio(rig.link, rig.Path(), device::kAxisX, 2, 3, 4), 1);
  ASSERT_EQ(device::SelectLevel(rig.link, rig.Path(), 2), 1);
  std::uint8_t x = 0, y = 0;
  ASSERT_EQ(device::ReadLevelSteps(rig.link, rig.Path(), 2, x, y), 1);
  device::LevelRatio ratio;
  ASSERT_EQ(device::ReadLevelRatio(rig.link, rig.Path(), 2, ratio), 1);
  EXPECT_EQ(device::ReadCurrentLevel(rig.link, rig.Path()), 2);
  EXPECT_EQ(device::ReadCurrentLevel(rig.link, u""), 0);
  EXPECT_EQ(rig.Requests(), (std::vector<std::string>{
                                "set 01 83 01 02 10 00 00 12", "set 01 84 00 02 03 04 00 12",
                                "set 01 87 02 00 00 00 00 12", "set 01 03 00 02 00 00 00 12",
                                "set 01 04 00 02 00 00 00 12", "set 01 07 00 00 00 00 00 12"}));
  EXPECT_EQ(std::make_tuple(x, y, ratio.xNumerator, ratio.xDenominator), std::make_tuple(20, 16, 3, 4));
  // The reads go over a plain open; the writes over an overlapped one.
  std::vector<std::uint32_t> flags;
  for (const auto& event : rig.port.Log()) {
    if (event.kind == sim::SimEvent::Kind::kOpen) flags.push_back(event.mode.flags);
  }
  EXPECT_EQ(flags, (std::vector<std::uint32_t>{device::kFlagOverlapped, device::kFlagOverlapped, 0,
                                               0, 0, 0}));
}

TEST(DeviceCommands, CommitWaitsTwentyMillisecondsUnlessToldOtherwise) {
  SimRig rig;
  ASSERT_EQ(device::CommitSettings(rig.link, rig.Path()), 1);
  ASSERT_EQ(device::CommitSettings(rig.link, rig.Path(), 10), 1);
  EXPECT_EQ(rig.Sleeps(), (std::vector<std::int64_t>{1000, 20000, 1000, 1000, 10000, 1000}));
  EXPECT_EQ(rig.Mouse().settingsCommits, 2);
}

TEST(DeviceCommands, ProfileNamesReadSlowerWhileArrivalRuns) {
  SimRig rig;
  ASSERT_EQ(device::WriteNameByte(rig.link, rig.Path(), 6, 15, 'Z'), 1);
  std::uint8_t value = 0;
  ASSERT_EQ(device::ReadNameByte(rig.link, rig.Path(), 6, 15, false, value), 1);
  EXPECT_EQ(value, 'Z');
  EXPECT_TRUE(rig.Sleeps().empty());
  ASSERT_EQ(device::ReadNameByte(rig.link, rig.Path(), 6, 15, true, value), 1);
  EXPECT_EQ(rig.Sleeps(), std::vector<std::int64_t>{2000});
  EXPECT_EQ(rig.Requests().front(), "set 01 89 06 0F 5A 00 00 12");
}

TEST(DeviceCommands, ProfileValuesGoInBytesFourToSix) {
  SimRig rig;
  ASSERT_EQ(device::SetProfileValues(rig.link, rig.Path(), 4, 0, 2, 2), 1);
  EXPECT_EQ(rig.Requests(), std::vector<std::string>{"set 01 86 04 00 02 02 00 12"});
  EXPECT_EQ(rig.Mouse().profileValues[4], (std::array<std::uint8_t, 3>{0, 2, 2}));
}

TEST(ReadRegister, SendsTheRegisterWithoutTrailerAndReturnsReplyByteTwo) {
  SimRig rig;
  rig.Mouse().registers[0x0C] = 0x9D;
  std::uint8_t value = 0;
  ASSERT_EQ(device::ReadRegister(rig.link, rig.Path(), 0x0C, 0, value), 1);
  EXPECT_EQ(value, 0x9D);
  EXPECT_EQ(rig.Requests(), std::vector<std::string>{"set 08 0C 00 00 00 00 00 00"});
}
