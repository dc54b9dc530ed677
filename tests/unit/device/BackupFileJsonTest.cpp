#include <gtest/gtest.h>

#include "device/BackupFileJson.h"

namespace {

device::BackupFile OddBackup() {
  device::BackupFile backup;
  for (std::size_t i = 0; i < backup.image.size(); ++i) {
    backup.image[i] = static_cast<std::uint8_t>(i * 31 + i / 256);
  }
  backup.levels = {{{4, 4}, {8, 9}, {12, 12}, {255, 1}}};
  backup.names = {u"Work",
                  u"",
                  u"say \"hi\"\\",
                  u"\u00e9t\u00e9",
                  u"\u304B\U0001F600",
                  u"a\tb",
                  std::u16string(1, static_cast<char16_t>(0xD800))};
  return backup;
}

// `show`'s text with one piece replaced.
std::string Edited(const std::string& from, const std::string& to) {
  std::string json = device::BackupFileToJson(OddBackup());
  const std::size_t at = json.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return json.replace(at, from.size(), to);
}

void ExpectRefused(const std::string& json, const std::string& what) {
  device::BackupFile backup;
  device::BackupProblem problem;
  EXPECT_EQ(device::BackupFileFromJson(json, backup, &problem), 0) << what;
  EXPECT_NE(problem.what.find(what), std::string::npos) << problem.what;
  EXPECT_LE(problem.offset, json.size());
  EXPECT_EQ(backup.names[0], u"");  // untouched
}

}  // namespace

TEST(BackupFileJson, WritesTheFileBackByteForByte) {
  const device::BackupFile original = OddBackup();
  const std::string json = device::BackupFileToJson(original);
  EXPECT_NE(json.find("\"levels\": [[4, 4], [8, 9], [12, 12], [255, 1]]"), std::string::npos);
  EXPECT_NE(json.find("\"names\": [\"Work\", \"\", \"say \\\"hi\\\"\\\\\", \"\\u00E9t\\u00E9\", "
                      "\"\\u304B\\uD83D\\uDE00\", \"a\\u0009b\", \"\\uD800\"]"),
            std::string::npos);
  // Bytes 0 to 31 on the first line of the image.
  EXPECT_NE(json.find("\"image\": [\n    "
                      "\"001F3E5D7C9BBAD9F81736557493B2D1F00F2E4D6C8BAAC9E80726456483A2C1\",\n"),
            std::string::npos);
  device::BackupFile back;
  ASSERT_EQ(device::BackupFileFromJson(json, back), 1);
  EXPECT_EQ(device::EncodeBackupFile(back), device::EncodeBackupFile(original));
}

TEST(BackupFileJson, TakesHandEditedTextInUtf8AndAnyLayout) {
  std::string json = Edited("\"Work\"", "\"Caf\xc3\xa9\"");
  json = json.replace(json.find("\"levels\""), 8, "\n\n  \"levels\"");
  device::BackupFile back;
  ASSERT_EQ(device::BackupFileFromJson(json, back), 1);
  EXPECT_EQ(back.names[0], u"Caf\u00e9");
}

TEST(BackupFileJson, RefusesWhatARestoreWouldRefuseAndSaysWhere) {
  ExpectRefused(Edited("\"_@_MBF1_\"", "\"_@_MBF2_\""), "magic");
  ExpectRefused(Edited("8192", "8193"), "image size must be 8192");
  ExpectRefused(Edited("[8, 9]", "[8, 0]"), "DPI level 1: a step must be 1 to 255");
  ExpectRefused(Edited("[255, 1]]", "[255, 1], [1, 1]]"), "after 4 DPI levels");
  ExpectRefused(Edited("\"Work\", ", ""), "expected ','");
  ExpectRefused(Edited("\"Work\"", "\"Work\", \"x\""), "after 7 profile names");
  ExpectRefused(Edited("\"Work\"", "\"W\\qrk\""), "unknown escape");
  ExpectRefused(Edited("\"image\": [\n    \"", "\"image\": [\n    \"00"), "more than 8192");
  ExpectRefused(Edited("\"image\": [\n    \"00", "\"image\": [\n    \"0G"), "not a hex digit");
  ExpectRefused(Edited("\"image\": [\n    \"00", "\"image\": [\n    \""), "8191 bytes, not 8192");
  ExpectRefused(Edited("\"magic\"", "\"colour\""), "unknown member \"colour\"");
  ExpectRefused(Edited("  \"imageSize\": 8192,\n", ""), "\"imageSize\" is missing");
  ExpectRefused(Edited("\"imageSize\": 8192,", "\"imageSize\": 8192, \"imageSize\": 8192,"),
                "given twice");
  ExpectRefused(device::BackupFileToJson(OddBackup()) + "}", "after the closing");
  ExpectRefused("", "expected '{'");
  ExpectRefused("{\"names\": [\"abc", "ends inside a string");

  device::BackupProblem problem;
  device::BackupFile backup;
  const std::string json = Edited("8192", "8193");
  device::BackupFileFromJson(json, backup, &problem);
  EXPECT_EQ(problem.offset, json.find("8193"));
  EXPECT_EQ(device::BackupProblemLine(problem),
            "byte " + std::to_string(json.find("8193")) + ": the image size must be 8192");
}
