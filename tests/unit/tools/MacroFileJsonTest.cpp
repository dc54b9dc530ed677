#include <gtest/gtest.h>

#include "macro/MacroFile.h"
#include "tests/unit/tools/ToolFiles.h"

namespace {

std::vector<FileProblem> Problems(const std::vector<std::uint8_t>& file) {
  return DescribeFile(file.data(), file.size()).problems;
}

}  // namespace

TEST(MacroFileJson, ComesBackByteForByteWhateverItsCountAndTail) {
  const std::vector<std::vector<std::uint8_t>> files = {
      SerializeMacroFile(NewMacro()),
      ToolMacroFile(7, {0x05, 0x83, 0x04, 0x88, 0x32, 0x84, 0x04}),
      ToolMacroFile(30000, {0x04, 0x21, 0x41}),    // claims more than it holds
      ToolMacroFile(2, {0x04, 0x7F, 0x99, 0x98}),  // bytes after the count
      ToolMacroFile(4, {0x04, 0x02, 0x83, 0x04}),  // an invalid opcode in the middle
      ToolMacroFile(3, {0x04, 0x89, 0x10}),        // a command cut short
      ToolMacroFile(0, {}),
  };
  for (const auto& file : files) {
    std::string json;
    EXPECT_EQ(ToolRoundTrip(file, &json), file) << json;
  }
  std::string json;
  ToolRoundTrip(ToolMacroFile(7, {0x05, 0x83, 0x04, 0x88, 0x32, 0x84, 0x04}), &json);
  EXPECT_EQ(json,
            "{\n"
            "  \"file\": \"macro\",\n"
            "  \"commands\": [\n"
            "    {\"address\": 0, \"length\": 1, \"bytes\": \"05\", \"text\": \"Loop mode\"},\n"
            "    {\"address\": 1, \"length\": 2, \"bytes\": \"83 04\", \"text\": \"Press & hold Keyboard  A\"},\n"
            "    {\"address\": 3, \"length\": 2, \"bytes\": \"88 32\", \"text\": \"Wait 50 ms\"},\n"
            "    {\"address\": 5, \"length\": 2, \"bytes\": \"84 04\", \"text\": \"Release Keyboard  A\"}\n"
            "  ]\n"
            "}\n");
}

TEST(MacroFileJson, SaysWhatAnImportWouldMissAndWhere) {
  // The magic takes 18 bytes and the count 4, so the macro starts at byte 22.
  struct Case {
    std::vector<std::uint8_t> file;
    std::size_t at;
    std::string what;
  };
  const Case cases[] = {
      {ToolMacroFile(4, {0x04, 0x02, 0x83, 0x04}), 23, "invalid opcode 02; an import stops here"},
      {ToolMacroFile(3, {0x04, 0x89, 0x10}), 23, "the command is cut short by the end of the macro bytes"},
      {ToolMacroFile(3, {0x04, 0x00, 0x21}), 23, "end opcode; an import ignores the 1 byte after it"},
      {ToolMacroFile(2, {0x21, 0x04}), 22,
       "a macro must start with a mode command, not 0x21; an import puts a mode command first"},
      {ToolMacroFile(2, {0x04, 0x05}), 23, "mode command 0x05 after the start of the macro; an import skips it"},
      {ToolMacroFile(2, {0x04, 0x21, 0x41}), 24, "1 byte after the 2 the count claims"},
      {ToolMacroFile(5, {0x04, 0x21}), 24, "the count claims 5 bytes but the file holds 2"},
      {ToolMacroFile(20001, {0x04}), 18, "the count 20001 is more than the 20000 bytes an import reads"},
      {ToolMacroFile(0, {}), 22, "the file holds no macro bytes"},
  };
  for (const Case& c : cases) {
    const std::vector<FileProblem> problems = Problems(c.file);
    ASSERT_FALSE(problems.empty()) << c.what;
    EXPECT_EQ(problems.front().offset, c.at) << c.what;
    EXPECT_EQ(problems.front().what, c.what);
  }
  EXPECT_TRUE(Problems(ToolMacroFile(1, {0x04})).empty());
  const FileDescription cut = DescribeFile(ToolMacroFile(1, {}).data(), 20);
  EXPECT_FALSE(cut.readable);
  EXPECT_EQ(cut.problems.front().offset, 18u);
  EXPECT_EQ(cut.problems.front().what, "the file ends before the byte count");
}

TEST(MacroFileJson, BuildsAFileTheProgramImportsAsWritten) {
  Json json;
  JsonError error;
  ASSERT_TRUE(ParseJson(R"({"file": "macro", "commands": [{"bytes": "06"}, {"bytes": "83 2C", "text": "any"},
                           {"bytes": "84 2C"}]})",
                        json, error));
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(BuildFile(json, bytes, error)) << error.Text();
  std::vector<std::uint8_t> macro;
  ASSERT_EQ(ParseMacroFile(bytes.data(), bytes.size(), macro), MacroFileRead::kRead);
  EXPECT_EQ(macro, (std::vector<std::uint8_t>{0x06, 0x83, 0x2C, 0x84, 0x2C}));

  ASSERT_TRUE(
      ParseJson(R"({"file": "macro", "commands": [{"bytes": "04"}, {"address": 2, "bytes": "21"}]})", json, error));
  EXPECT_FALSE(BuildFile(json, bytes, error));
  EXPECT_EQ(error.Text(), "/commands/1/address: address 2 should be 1: the lengths before it decide it");
  ASSERT_TRUE(ParseJson(R"({"file": "macro", "commands": [{"bytes": "88 10", "rest": "01"}]})", json, error));
  EXPECT_FALSE(BuildFile(json, bytes, error));
  EXPECT_EQ(error.what, "a macro file keeps no bytes past a command's length");
}
