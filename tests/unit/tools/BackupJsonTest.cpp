#include <gtest/gtest.h>

#include <sstream>

#include "device/BackupFile.h"
#include "tests/unit/tools/ToolFiles.h"

namespace {

std::vector<std::uint8_t> SampleBackup() {
  device::BackupFile backup;
  for (std::size_t i = 0; i < backup.image.size(); ++i) backup.image[i] = static_cast<std::uint8_t>(i * 7);
  backup.levels = {{{5, 5}, {10, 12}, {20, 20}, {40, 56}}};
  backup.names = {u"Work", u"Game", u"", u"", u"", u"", u"\u00e9t\u00e9"};
  return device::EncodeBackupFile(backup);
}

// The magic takes 20 bytes, the size 4, the image 8192: the levels start here.
constexpr std::size_t kLevelsAt = 20 + 4 + 8192;

FileDescription Describe(const std::vector<std::uint8_t>& file) { return DescribeFile(file.data(), file.size()); }

}  // namespace

TEST(BackupJson, ComesBackByteForByteWithTheImageAsAddressedLines) {
  const std::vector<std::uint8_t> file = SampleBackup();
  std::string json;
  EXPECT_EQ(ToolRoundTrip(file, &json), file);
  EXPECT_NE(json.find("\n    \"0020: E0 E7 EE F5"), std::string::npos);
  EXPECT_NE(json.find("\"levels\": [\n    [5, 5],\n    [10, 12],"), std::string::npos);
  EXPECT_NE(json.find("\"\u00e9t\u00e9\""), std::string::npos);
  EXPECT_TRUE(Describe(file).problems.empty());

  // Trailing bytes, an old 8-bit name and a name longer than the mouse keeps
  // are kept too, and named.
  std::vector<std::uint8_t> odd(file.begin(), file.begin() + kLevelsAt + 8);
  FileBytes names;
  names.Raw({0x02, 'o', 'k'}).Text("a name far too long");
  for (int i = 0; i < 5; ++i) names.Text("");
  names.Raw({0x01});
  odd.insert(odd.end(), names.data.begin(), names.data.end());
  EXPECT_EQ(ToolRoundTrip(odd), odd);
  const FileDescription description = Describe(odd);
  ASSERT_EQ(description.problems.size(), 2u);
  EXPECT_EQ(description.problems[0].offset, kLevelsAt + 8 + 3);
  EXPECT_EQ(description.problems[0].what, "profile name 1 has 19 characters; the mouse keeps 8");
  EXPECT_EQ(description.problems[1].offset, odd.size() - 1);
  EXPECT_EQ(description.problems[1].what, "1 bytes after the last profile name; a restore ignores them");
}

TEST(BackupJson, ReportsWhatARestoreSkipsOrRefusesAtItsByte) {
  std::vector<std::uint8_t> zeroStep = SampleBackup();
  zeroStep[kLevelsAt + 3] = 0;
  EXPECT_EQ(Describe(zeroStep).problems.front().offset, kLevelsAt + 3);
  EXPECT_EQ(Describe(zeroStep).problems.front().what, "DPI level 1: a step of 0; a restore leaves this level as it is");
  EXPECT_EQ(ToolRoundTrip(zeroStep), zeroStep);

  std::vector<std::uint8_t> cut = SampleBackup();
  cut.resize(kLevelsAt + 5);
  const FileDescription description = Describe(cut);
  EXPECT_FALSE(description.readable);
  EXPECT_EQ(description.problems.front().offset, kLevelsAt + 5);
  EXPECT_EQ(description.problems.front().what, "DPI level 2: file ends before a byte");
}

TEST(BackupJson, FindsALostImageLineInsteadOfShiftingTheImage) {
  const std::vector<std::uint8_t> file = SampleBackup();
  std::ostringstream out;
  DescribeFile(file.data(), file.size(), &out);
  Json parsed;
  JsonError error;
  ASSERT_TRUE(ParseJson(out.str(), parsed, error));
  parsed["image"].erase(3);
  std::vector<std::uint8_t> bytes;
  EXPECT_FALSE(BuildFile(parsed, bytes, error));
  EXPECT_EQ(error.Text(), "/image/3: this image line says address 128 but its bytes start at 96");
  ASSERT_TRUE(ParseJson(R"({"file": "backup", "image": ["00 01"], "levels": [[1, 1], [2, 2], [3, 3]], "names": []})",
                        parsed, error));
  EXPECT_FALSE(BuildFile(parsed, bytes, error));
  EXPECT_EQ(error.what, "\"levels\" holds 4 pairs");
}

TEST(BackupJson, DecodesTheMacroDirectoryAndNamesTheEntriesTheMouseCannotPlay) {
  const std::vector<std::uint8_t> file = ToolBackupWithMacros();
  std::string text;
  EXPECT_EQ(ToolRoundTrip(file, &text), file) << "the decoded directory is not written back";
  Json json;
  JsonError error;
  ASSERT_TRUE(ParseJson(text, json, error));
  const Json& directory = json["directory"];
  ASSERT_EQ(directory.size(), 3u);
  EXPECT_EQ(directory[0], Json::parse(R"({"entry": 0, "name": "tap", "start": 0, "end": 5, "mode": "Execute one time",
      "steps": ["Press & hold Keyboard  A", "Release Keyboard  A"], "overlaps": [1]})"));
  EXPECT_EQ(directory[1]["mode"], "unknown mode 84");
  EXPECT_FALSE(directory[1].contains("steps")) << "an entry inside an earlier one is not listed again";
  EXPECT_EQ(directory[2], Json::parse(R"({"entry": 2, "name": "back", "start": 20, "end": 19,
      "leftOut": "its end 19 lies before its start 20"})"));
  const FileDescription description = Describe(file);
  EXPECT_TRUE(description.problems.empty());
  EXPECT_EQ(description.entryProblems, (std::vector<std::string>{"entry 1: 3..10 overlaps entry 0 (0..5)",
                                                                 "entry 2: its end 19 lies before its start 20"}));
}

TEST(BackupJson, GivesOneLineForAnEntryOverSeveralBeforeIt) {
  device::BackupFile backup;
  backup.levels = {{{5, 5}, {5, 5}, {5, 5}, {5, 5}}};
  std::fill(backup.image.begin(), backup.image.begin() + 2048, std::uint8_t{0xFF});
  for (int entry = 0; entry < 3; ++entry) {
    std::uint8_t* at = backup.image.data() + entry * 32;
    std::fill(at, at + 32, std::uint8_t{0});
    at[0] = static_cast<std::uint8_t>(entry * 2), at[2] = 10, at[4] = 'm';
  }
  const std::vector<std::uint8_t> file = device::EncodeBackupFile(backup);
  std::ostringstream out;
  const FileDescription description = DescribeFile(file.data(), file.size(), &out);
  EXPECT_EQ(description.entryProblems,
            (std::vector<std::string>{"entry 1: 2..10 overlaps entry 0 (0..10)",
                                      "entry 2: 4..10 overlaps entry 0 (0..10), entry 1 (2..10)"}));
  Json json;
  JsonError error;
  ASSERT_TRUE(ParseJson(out.str(), json, error));
  EXPECT_EQ(json["directory"][2]["overlaps"], Json::parse("[0, 1]"));
}
