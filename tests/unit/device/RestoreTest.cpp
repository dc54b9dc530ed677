#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "device/BackupFile.h"
#include "device/DpiLevels.h"
#include "unit/device/OperationRig.h"

namespace {

void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

int CountPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.compare(0, prefix.size(), prefix) == 0;
  }));
}

}  // namespace

TEST(Restore, BackupThenRestoreGivesASecondMouseTheSameMemoryLevelsAndNames) {
  OperationRig ops(2);
  TempFolder folder;
  FillMouse(ops.rig.Mouse(0), 1);
  FillMouse(ops.rig.Mouse(1), 2);
  const auto file = folder / "whole.mbf";
  ASSERT_EQ(device::Backup(ops.context, file), 1);

  ops.Use(1);
  ops.rig.Forget();
  ops.window.calls.clear();
  ASSERT_EQ(device::Restore(ops.context, file), 1);

  const sim::SimulatedMouse& from = ops.rig.Mouse(0);
  const sim::SimulatedMouse& to = ops.rig.Mouse(1);
  EXPECT_EQ(to.memory, from.memory);
  EXPECT_EQ(to.names, from.names);
  for (int level = 0; level < 4; ++level) {
    device::LevelSteps a;
    device::LevelSteps b;
    ASSERT_EQ(device::ReadLevel(ops.rig.link, ops.rig.Path(0), level, a), 1);
    ASSERT_EQ(device::ReadLevel(ops.rig.link, ops.rig.Path(1), level, b), 1);
    EXPECT_EQ(b.x, a.x) << level;
    EXPECT_EQ(b.y, a.y) << level;
  }
  EXPECT_EQ(to.settingsCommits, 1);
  EXPECT_EQ(ops.rig.Requests(0).size(), 8u);  // only the level reads just above

  // Pages first, then each level (identification and four writes), the
  // names byte by byte, and the commit last.
  ops.rig.Forget();
  ASSERT_EQ(device::Restore(ops.context, file), 1);
  const auto requests = ops.rig.Requests(1);
  ASSERT_EQ(requests.size(), 256u * 7u + 4u * 5u + 7u * 16u + 1u);
  EXPECT_EQ(CountPrefix({requests.begin(), requests.begin() + 256 * 7}, "set 02 "), 256 * 7);
  EXPECT_EQ(requests[256 * 7], "str 250");
  EXPECT_EQ(CountPrefix({requests.begin() + 256 * 7 + 20, requests.end() - 1}, "set 01 89 "), 112);
  EXPECT_EQ(requests[256 * 7 + 20], "set 01 89 00 00 42 00 00 12");
  EXPECT_EQ(requests.back(), "set 01 02 00 00 00 00 00 12");

  EXPECT_EQ(ops.window.calls,
            (std::vector<std::string>{
                "status Writing data to eeprom...", "second line ''", "save settings",
                "save settings", "save settings", "save settings", "status Waiting...",
                "second line ''", "repaint", "refresh tab", "arrival",
                // the second restore
                "status Writing data to eeprom...", "second line ''", "save settings",
                "save settings", "save settings", "save settings", "status Waiting...",
                "second line ''", "repaint", "refresh tab", "arrival"}));
}

TEST(Restore, RefusesAWrongOrDamagedFileWithoutSendingAnything) {
  OperationRig ops;
  TempFolder folder;
  device::BackupFile backup;
  backup.levels = {{{4, 4}, {8, 8}, {12, 12}, {16, 16}}};
  const std::vector<std::uint8_t> good = device::EncodeBackupFile(backup);

  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
  auto wrongMagic = good;
  wrongMagic[4 + 2 * 6] = '2';  // "_@_MBF2_"
  files.emplace_back("wrong magic", wrongMagic);
  files.emplace_back("truncated in the image",
                     std::vector<std::uint8_t>(good.begin(), good.begin() + 5000));
  files.emplace_back("truncated in the names",
                     std::vector<std::uint8_t>(good.begin(), good.end() - 2));
  auto oversized = good;
  oversized[21] = 0x40;  // 16384 bytes claimed, and the file holds them
  oversized.insert(oversized.begin() + 24 + 8192, 8192, 0x00);
  files.emplace_back("oversized image size", oversized);
  auto trailing = good;
  trailing.push_back(0x00);
  files.emplace_back("a byte past the end", trailing);

  for (const auto& [what, bytes] : files) {
    const auto file = folder / "bad.mbf";
    WriteBytes(file, bytes);
    ops.window.calls.clear();
    EXPECT_EQ(device::Restore(ops.context, file), 0) << what;
    EXPECT_TRUE(ops.rig.port.Log().empty()) << what;
    EXPECT_EQ(ops.window.calls, (std::vector<std::string>{"repaint", "refresh tab", "arrival"}))
        << what;
  }
  EXPECT_EQ(device::Restore(ops.context, folder / "missing.mbf"), 0);
  EXPECT_TRUE(ops.rig.port.Log().empty());
  EXPECT_EQ(ops.rig.Mouse().memory[0], 0xFF);  // a fresh, untouched memory
}

TEST(Restore, AFailedPageStopsEveryWriteAfterIt) {
  OperationRig ops;
  TempFolder folder;
  device::BackupFile backup;
  backup.image.fill(0x5A);
  backup.levels = {{{4, 4}, {8, 8}, {12, 12}, {16, 16}}};
  backup.names[0] = u"Lost";
  const auto file = folder / "b.mbf";
  ASSERT_EQ(device::SaveBackupFile(file, backup), 1);

  // The mouse stops answering once ten pages are in.
  sim::SimulatedMouse& mouse = ops.rig.Mouse();
  ops.window.onFraction = [&mouse](double fraction) {
    if (fraction >= 9 * 32 / 8192.0) mouse.faults.neverReady = true;
  };
  EXPECT_EQ(device::Restore(ops.context, file), 0);

  const auto requests = ops.rig.Requests();
  EXPECT_EQ(CountPrefix(requests, "set 02 0A "), 10);
  EXPECT_EQ(CountPrefix(requests, "set 01 "), 0);
  EXPECT_EQ(CountPrefix(requests, "str "), 0);
  EXPECT_EQ(requests.back(), "set 02 03 5A 5A 5A 5A 5A 5A");  // the first request of page 10
  EXPECT_EQ(mouse.memory[10 * 32 - 1], 0x5A);
  EXPECT_EQ(mouse.memory[10 * 32], 0xFF);
  EXPECT_EQ(mouse.names[0][0], 0);
  EXPECT_EQ(mouse.settingsCommits, 0);
  EXPECT_EQ(ops.window.calls,
            (std::vector<std::string>{"status Writing data to eeprom...", "second line ''",
                                      "repaint", "refresh tab", "arrival"}));
}
