#include <gtest/gtest.h>

#include <algorithm>

#include "base/AtomicFile.h"
#include "device/BackupFile.h"
#include "device/DpiLevels.h"
#include "unit/device/OperationRig.h"

namespace {

int CountPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.compare(0, prefix.size(), prefix) == 0;
  }));
}

// A backup of a memory full of 0x5A, the default levels and one name.
std::filesystem::path SavedBackup(const TempFolder& folder) {
  device::BackupFile backup;
  backup.image.fill(0x5A);
  backup.levels = {{{4, 4}, {8, 8}, {12, 12}, {16, 16}}};
  backup.names[0] = u"Kept";
  const auto file = folder / "b.mbf";
  EXPECT_EQ(device::SaveBackupFile(file, backup), 1);
  return file;
}

}  // namespace

TEST(Restore, BackupThenRestoreGivesASecondMouseTheSameMemoryLevelsAndNames) {
  OperationRig ops(2);
  TempFolder folder;
  FillMouse(ops.rig.Mouse(0), 1);
  FillMouse(ops.rig.Mouse(1), 2);
  const auto file = folder / "whole.mbf";
  ASSERT_TRUE(device::Backup(ops.context, file).fileWritten);

  ops.Use(1);
  ops.rig.Forget();
  ops.window.calls.clear();
  const device::OperationResult result = device::Restore(ops.context, file);
  EXPECT_EQ(Summary(result), "memory 8192, levels 4, names 7, buttons 0, entries 0, values 0, commits 1, failed 0");
  EXPECT_EQ(ops.window.calls,
            (std::vector<std::string>{"status Writing data to eeprom...", "second line ''", "status Waiting...",
                                      "second line ''", "repaint", "arrival"}));

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
  ASSERT_FALSE(device::Restore(ops.context, file).Failed());
  const auto requests = ops.rig.Requests(1);
  ASSERT_EQ(requests.size(), 256u * 7u + 4u * 5u + 7u * 16u + 1u);
  EXPECT_EQ(CountPrefix({requests.begin(), requests.begin() + 256 * 7}, "set 02 "), 256 * 7);
  EXPECT_EQ(requests[256 * 7], "str 250");
  EXPECT_EQ(CountPrefix({requests.begin() + 256 * 7 + 20, requests.end() - 1}, "set 01 89 "), 112);
  EXPECT_EQ(requests[256 * 7 + 20], "set 01 89 00 00 42 00 00 12");
  EXPECT_EQ(requests.back(), "set 01 02 00 00 00 00 00 12");
}

// A file that is no backup, or a cut one, is the damaged-file harness's; a
// missing file is told apart from it, and the window still runs its arrival.
TEST(Restore, RefusesAMissingFileWithoutSendingAnything) {
  OperationRig ops;
  TempFolder folder;
  const device::OperationResult result = device::Restore(ops.context, folder / "missing.mbf");
  EXPECT_TRUE(result.fileFailed);
  EXPECT_TRUE(result.fileUnreadable);
  EXPECT_TRUE(ops.rig.port.Log().empty());
  EXPECT_EQ(ops.window.calls, (std::vector<std::string>{"repaint", "arrival"}));
}

TEST(Restore, AFailedPageStopsEveryWriteAfterIt) {
  OperationRig ops;
  TempFolder folder;
  const auto file = SavedBackup(folder);

  // The mouse stops answering once ten pages are in.
  sim::SimulatedMouse& mouse = ops.rig.Mouse();
  ops.window.onFraction = [&mouse](double fraction) {
    if (fraction >= 9 * 32 / 8192.0) mouse.faults.neverReady = true;
  };
  const device::OperationResult result = device::Restore(ops.context, file);
  EXPECT_EQ(Summary(result),
            "memory 320, levels 0, names 0, buttons 0, entries 0, values 0, commits 0, failed 1, memory failed");

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
            (std::vector<std::string>{"status Writing data to eeprom...", "second line ''", "repaint", "arrival"}));
}

TEST(Restore, WritesTheImageItHasAndEveryLevelButOneWithAStepOfZero) {
  OperationRig ops;
  TempFolder folder;
  device::BackupFile backup;
  backup.imageSize = 40;  // one page and a short one
  backup.image.fill(0x5A);
  backup.levels = {{{4, 4}, {8, 8}, {12, 0}, {16, 16}}};
  backup.names[6] = u"Last";
  std::vector<std::uint8_t> bytes = device::EncodeBackupFile(backup);
  bytes.insert(bytes.end(), {1, 2, 3});  // what a later version may add
  const auto file = folder / "short.mbf";
  ASSERT_EQ(WriteFileAtomically(file, bytes), 1);

  const device::OperationResult result = device::Restore(ops.context, file);
  EXPECT_EQ(Summary(result), "memory 40, levels 3, names 7, buttons 0, entries 0, values 0, commits 1, failed 0");
  EXPECT_EQ(result.skippedLevels, std::vector<int>{2});
  const sim::SimulatedMouse& mouse = ops.rig.Mouse();
  EXPECT_EQ(mouse.memory[39], 0x5A);
  EXPECT_EQ(mouse.memory[40], 0x00);  // the short page is padded
  EXPECT_EQ(mouse.memory[64], 0xFF);
  EXPECT_EQ(mouse.levels[2].step[0], 20);  // as the fresh mouse had it
  EXPECT_EQ(mouse.names[6][0], 'L');
  EXPECT_EQ(mouse.settingsCommits, 1);
  const auto requests = ops.rig.Requests();
  EXPECT_EQ(CountPrefix(requests, "set 02 0A "), 2);
  EXPECT_EQ(CountPrefix(requests, "str 250"), 3);
  EXPECT_EQ(CountPrefix(requests, "set 01 83 00 02 "), 0);
}

TEST(Restore, CountsALevelTheMouseDoesNotTakeAndGoesOn) {
  OperationRig ops;
  TempFolder folder;
  const auto file = SavedBackup(folder);
  // Level 1 gets no reply; everything before and after it does.
  sim::SimulatedMouse& mouse = ops.rig.Mouse();
  // A quarter of the way through the levels, not of the memory: level 0 has its new step.
  ops.window.onFraction = [&](double fraction) {
    mouse.faults.neverReady = fraction == 0.25 && mouse.levels[0].step[0] == 4;
  };
  const device::OperationResult result = device::Restore(ops.context, file);
  EXPECT_EQ(Summary(result), "memory 8192, levels 3, names 7, buttons 0, entries 0, values 0, commits 1, failed 1");
  EXPECT_EQ(mouse.names[0][0], 'K');
}

TEST(Restore, StopsAtOnceWhenTheMouseIsUnplugged) {
  OperationRig ops;
  TempFolder folder;
  const auto file = SavedBackup(folder);
  // Gone after the pages and two requests of level 0.
  ops.rig.Mouse().Replug();  // counts the requests from here
  ops.rig.Mouse().faults.unplugAfterRequests = 256 * 7 + 2;
  const device::OperationResult result = device::Restore(ops.context, file);
  EXPECT_EQ(Summary(result),
            "memory 8192, levels 0, names 0, buttons 0, entries 0, values 0, commits 0, failed 1, mouse gone");
  const auto requests = ops.rig.Requests();
  EXPECT_EQ(CountPrefix(requests, "str 250"), 1);
  EXPECT_EQ(CountPrefix(requests, "set 01 "), 2);
  EXPECT_EQ(ops.window.calls.back(), "arrival");
}
