#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "device/BackupFile.h"
#include "unit/device/OperationRig.h"

namespace {

std::string Line(const char* format, int a, int b) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

}  // namespace

TEST(Backup, ReadsMemoryLevelsAndNamesWithoutWritingAndStoresThemInTheFile) {
  OperationRig ops;
  TempFolder folder;
  FillMouse(ops.rig.Mouse(), 1);
  const auto file = folder / "backup_2026-12-06.mbf";

  const device::OperationResult result = device::Backup(ops.context, file);
  EXPECT_EQ(Summary(result),
            "memory 8192, levels 4, names 7, buttons 0, entries 0, values 0, commits 0, failed 0, file written");

  std::vector<std::string> expected;
  for (int addr = 0; addr < 8192; addr += 7) {
    expected.push_back(Line("set 02 00 %02X %02X 00 00 00 12", addr % 256, addr / 256));
  }
  for (int level = 0; level < 4; ++level) {
    expected.push_back(Line("set 01 03 00 %02X 00 00 00 12", level, 0));
    expected.push_back(Line("set 01 04 00 %02X 00 00 00 12", level, 0));
  }
  for (int profile = 0; profile < 7; ++profile) {
    for (int i = 0; i < 16; ++i)
      expected.push_back(Line("set 01 09 %02X %02X 00 00 00 12", profile, i));
  }
  EXPECT_EQ(ops.rig.Requests(), expected);

  device::BackupFile backup;
  ASSERT_EQ(device::LoadBackupFile(file, backup), 1);
  const sim::SimulatedMouse& mouse = ops.rig.Mouse();
  EXPECT_EQ(backup.image, mouse.memory);
  for (std::size_t level = 0; level < 4; ++level) {
    EXPECT_EQ(backup.levels[level].x, mouse.levels[level].step[0]);
    EXPECT_EQ(backup.levels[level].y, mouse.levels[level].step[1]);
  }
  EXPECT_EQ(backup.names[0], u"B0");
  EXPECT_EQ(backup.names[1], u"abcdefg\u0468");  // all 16 bytes, nothing read past them
  EXPECT_EQ(backup.names[6], u"H6");

  EXPECT_EQ(ops.window.calls, (std::vector<std::string>{"status Reading all data from eeprom...",
                                                        "second line ''", "repaint"}));
  const auto& fractions = ops.window.fractions;
  ASSERT_EQ(fractions.size(), 1u + 1171u + 1u + 4u + 1u + 7u + 1u);
  EXPECT_EQ(fractions[1171], 8190.0 / 8192.0);
  EXPECT_EQ(fractions[1176], 1.0);
  EXPECT_EQ(fractions[1184], 1.0);
  EXPECT_EQ(fractions.back(), 0.0);
}

TEST(Backup, AFailedReadReportsWhereItStoppedKeepsTheFileThereAndStillFinishes) {
  OperationRig ops;
  TempFolder folder;
  const auto file = folder / "kept.mbf";
  {
    std::ofstream out(file, std::ios::binary);
    out << "an older backup";
  }
  const std::vector<std::uint8_t> older = FileBytes(file);
  // Unplugged in the memory, the levels and the names; then a level that
  // reads as step 0, which is what a failed read leaves.
  const struct {
    int failAfter, memoryBytes, levels, names;
  } cases[] = {{100, 700, 0, 0}, {1171 + 3, 8192, 1, 0}, {1171 + 8 + 20, 8192, 4, 1}, {-1, 8192, 2, 0}};
  for (const auto& c : cases) {
    ops.rig.Mouse().Replug();
    ops.rig.Mouse().faults.unplugAfterRequests = c.failAfter;
    if (c.failAfter < 0) ops.rig.Mouse().levels[2].numerator = {0, 1};
    ops.window.calls.clear();
    const device::OperationResult result = device::Backup(ops.context, file);
    EXPECT_EQ(result.mouseGone, c.failAfter >= 0) << c.failAfter;
    EXPECT_EQ(result.memoryFailed, c.failAfter == 100) << c.failAfter;
    EXPECT_EQ(result.failedRequests, 1) << c.failAfter;
    EXPECT_FALSE(result.fileWritten) << c.failAfter;
    EXPECT_EQ(result.memoryBytes, c.memoryBytes) << c.failAfter;
    EXPECT_EQ(result.levels, c.levels) << c.failAfter;
    EXPECT_EQ(result.names, c.names) << c.failAfter;
    EXPECT_EQ(FileBytes(file), older) << c.failAfter;
    EXPECT_EQ(ops.window.calls.back(), "repaint");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(Backup, IntoAMissingFolderSendsNothing) {
  OperationRig ops;
  TempFolder folder;
  EXPECT_TRUE(device::Backup(ops.context, folder / "no such folder" / "b.mbf").fileFailed);
  EXPECT_TRUE(ops.rig.Requests().empty());
  EXPECT_EQ(ops.window.calls, (std::vector<std::string>{"repaint"}));
}
