#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "device/BackupFile.h"
#include "device/BackupFileTool.h"
#include "unit/device/OperationRig.h"

namespace {

void WriteText(const std::filesystem::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
}

device::BackupFile Sample() {
  device::BackupFile backup;
  for (std::size_t i = 0; i < backup.image.size(); ++i)
    backup.image[i] = static_cast<std::uint8_t>(i);
  backup.levels = {{{4, 4}, {8, 8}, {12, 16}, {16, 16}}};
  backup.names = {u"Work", u"Game", u"", u"", u"", u"", u"\u00e9t\u00e9"};
  return backup;
}

}  // namespace

TEST(BackupFileTool, ShowThenBuildGivesTheSameBytes) {
  TempFolder folder;
  ASSERT_EQ(device::SaveBackupFile(folder / "a.mbf", Sample()), 1);
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(device::ShowBackupFile(folder / "a.mbf", out, err), 0);
  EXPECT_EQ(err.str(), "");
  EXPECT_TRUE(device::LooksLikeBackupJson(out.str()));
  EXPECT_TRUE(device::HasBackupMagic(FileBytes(folder / "a.mbf")));

  WriteText(folder / "a.json", out.str());
  ASSERT_EQ(device::BuildBackupFile(folder / "a.json", folder / "b.mbf", err), 0);
  EXPECT_EQ(FileBytes(folder / "b.mbf"), FileBytes(folder / "a.mbf"));

  std::ostringstream checked;
  EXPECT_EQ(device::CheckBackupFile(folder / "b.mbf", checked, err), 0);
  EXPECT_EQ(checked.str(), "ok\n");
}

TEST(BackupFileTool, CheckSaysInOneLineWhatIsWrongAndWhere) {
  TempFolder folder;
  std::vector<std::uint8_t> bytes = device::EncodeBackupFile(Sample());
  bytes[21] = 0x40;  // image size 16384
  WriteText(folder / "big.mbf", std::string(bytes.begin(), bytes.end()));
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_NE(device::CheckBackupFile(folder / "big.mbf", out, err), 0);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), (folder / "big.mbf").u8string() +
                           ": byte 20: image size: image size is 16384, not 8192\n");
  EXPECT_NE(device::ShowBackupFile(folder / "big.mbf", out, err), 0);
  EXPECT_EQ(out.str(), "");
}

TEST(BackupFileTool, ShowNotesAFileInAnOlderStringFormAndBuildRefusesBadText) {
  TempFolder folder;
  // The magic as an 8-bit string, as older archives may hold it.
  std::vector<std::uint8_t> bytes = {0x08, '_', '@', '_', 'M', 'B', 'F', '1', '_'};
  const std::vector<std::uint8_t> own = device::EncodeBackupFile(Sample());
  bytes.insert(bytes.end(), own.begin() + 20, own.end());
  WriteText(folder / "old.mbf", std::string(bytes.begin(), bytes.end()));
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(device::ShowBackupFile(folder / "old.mbf", out, err), 0);
  EXPECT_NE(err.str().find("note: sound, but not in the program's own string form"),
            std::string::npos);

  WriteText(folder / "bad.json", "{\"magic\": \"_@_MBF1_\", \"imageSize\": 4096}");
  std::ostringstream buildErr;
  EXPECT_NE(device::BuildBackupFile(folder / "bad.json", folder / "out.mbf", buildErr), 0);
  EXPECT_EQ(buildErr.str(),
            (folder / "bad.json").u8string() + ": byte 35: the image size must be 8192\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "out.mbf"));
}
