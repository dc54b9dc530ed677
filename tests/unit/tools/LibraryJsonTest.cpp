#include <gtest/gtest.h>

#include "macro/LibraryFile.h"
#include "tests/unit/tools/ToolFiles.h"
#include "tools/JsonFields.h"

namespace {

std::vector<std::uint8_t> Build(const std::string& json, JsonError* failure = nullptr) {
  Json value;
  JsonError error;
  std::vector<std::uint8_t> bytes;
  if (!ParseJson(json, value, error) || !BuildFile(value, bytes, error)) {
    if (failure) *failure = error;
    return {};
  }
  return bytes;
}

FileDescription Describe(const std::vector<std::uint8_t>& file) { return DescribeFile(file.data(), file.size()); }

// The golden library with one spot changed: `patch` rewrites bytes at `offset`.
std::vector<std::uint8_t> Golden(std::size_t offset, std::initializer_list<std::uint8_t> patch) {
  std::vector<std::uint8_t> file = GoldenLibraryFile();
  std::copy(patch.begin(), patch.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
  return file;
}

// Offsets in the golden file: the magic takes 18 bytes, the entry count 4.
constexpr std::size_t kCopyEntry = 18 + 4 + 4 + 4 + 12 + 16;  // "Work": id, kind, name, parent, size, flags, count
constexpr std::size_t kCopyCommands = kCopyEntry + 8 + 12 + 16;

}  // namespace

TEST(LibraryJson, GoldenFileIsSoundAndComesBackByteForByte) {
  const std::vector<std::uint8_t> golden = GoldenLibraryFile();
  const FileDescription description = Describe(golden);
  ASSERT_TRUE(description.readable);
  EXPECT_TRUE(description.problems.empty()) << description.problems.front().what;
  EXPECT_EQ(description.summary, "3 entries, 1 device record");
  std::string json;
  EXPECT_EQ(ToolRoundTrip(golden, &json), golden);
  EXPECT_NE(json.find("{\"address\": 1, \"length\": 3, \"bytes\": \"89 2C 01\", \"text\": \"Wait 300 ms\"}"),
            std::string::npos);
  EXPECT_NE(json.find("{\"slot\": 0, \"code\": 18, \"name\": \"Mode 1\", \"name2\": \"second\", \"valueA\": 8}"),
            std::string::npos);
  EXPECT_EQ(json.find("\"slot\": 7"), std::string::npos) << "a slot with only default values is left out";
}

TEST(LibraryJson, KeepsOddButReadableFilesByteForByteAndNamesWhatIsOdd) {
  FileBytes odd;
  odd.Raw({0x07}).Raw({'_', '@', '_', 'M', 'F', '3', '_'}).U32(2);              // an old 8-bit magic
  odd.U32(5).U32(0).Raw({0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x00, 'h', 0, 'i', 0});  // 16-bit length form
  odd.U32(0).U32(9).U32(0).U32(2);
  odd.U32(0).U32(1).Raw({0x04, 0x83, 0x04, 0x88, 0x32});  // code bytes past the length, as imports leave them
  odd.Command(3, {0x21});
  odd.U32(6).U32(1).Raw({0x03, 0xE9, 'x', 'y'}).U32(0).U32(4).U32(0).U32(0);  // Latin-1 name
  odd.U32(2);
  for (std::uint32_t key : {0x77u, 0x77u}) {
    odd.U32(key).U32(1).U32(0).U32(0);
    for (int k = 0; k < 10; ++k) odd.U32(0).U32(0);
    for (std::uint32_t i = 0; i < 200; ++i) {
      odd.U32(i == 3 ? 1 : 0);
      for (int m = 0; m < 20; ++m) odd.U32(0);
      if (i == 3) {
        odd.Raw({0xFF, 0xFE, 0xFF, 0x02, 'a', 0x00, 0x00, 0xD8}).Text("");  // a surrogate without its partner
      } else {
        odd.Text("").Text("");
      }
      odd.U32(i == 3 ? 2 : 0).U32(0).U32(0).U32(0);
    }
  }
  odd.Raw({0xAA, 0xBB});
  std::string json;
  EXPECT_EQ(ToolRoundTrip(odd.data, &json), odd.data);
  EXPECT_NE(json.find("\"magic\": {\"text\": \"_@_MF3_\", \"narrow\": true, \"lengthBits\": 8}"), std::string::npos);
  EXPECT_NE(json.find("\"name\": {\"text\": \"hi\", \"narrow\": false, \"lengthBits\": 16}"), std::string::npos);
  EXPECT_NE(json.find("\"name\": {\"text\": \"\u00e9xy\", \"narrow\": true, \"lengthBits\": 8}"), std::string::npos);
  EXPECT_NE(json.find("\"rest\": \"83 04 88 32\""), std::string::npos);
  EXPECT_NE(json.find("\"codeFirst\": 1,"), std::string::npos);
  EXPECT_NE(json.find("\"name\": {\"units\": \"0061 D800\", \"narrow\": false, \"lengthBits\": 8}"), std::string::npos)
      << "UTF-8 has no form for a lone surrogate: its code units are kept";
  EXPECT_NE(json.find("\"trailing\": \"AA BB\""), std::string::npos);

  std::vector<std::string> found;
  for (const FileProblem& problem : Describe(odd.data).problems) found.push_back(problem.what);
  const std::string slot3 =
      "device record 119, profile slot 3: the two copies of the profile code differ; the program keeps the second";
  EXPECT_EQ(found, (std::vector<std::string>{
                       "entry 0 \"hi\" gives its size as 9 but its commands take 4 bytes",
                       "entry 0 \"hi\", command 1: address 3 should be 1", slot3,
                       "device record 119 appears twice; the program keeps only the last", slot3,
                       "2 bytes of unknown content after the last record; the program drops them on save"}));
}

TEST(LibraryJson, NamesTheCommandAndTheByteOfEveryUnsoundMacro) {
  struct Case {
    std::initializer_list<std::uint8_t> patch;
    std::size_t at;
    std::string what;
  };
  const std::string first = "entry 1 \"copy\", command 0: ", second = "entry 1 \"copy\", command 1: ";
  const Case cases[] = {
      {{0x02}, kCopyCommands + 8, first + "invalid opcode 0x02"},
      {{0x83}, kCopyCommands + 8, first + "length 1 does not fit opcode 0x83, which takes 2 bytes"},
      {{0x21}, kCopyCommands + 8, first + "a macro must start with a mode command, not 0x21"},
      {{0x05}, kCopyCommands + 21, second + "length 2 does not fit opcode 0x05, which takes 1 byte"},
      {{0x00}, kCopyCommands + 21, second + "length 2 does not fit opcode 0x00, which takes 1 byte"},
  };
  for (const Case& c : cases) {
    const FileDescription description = Describe(Golden(c.at, c.patch));
    ASSERT_TRUE(description.readable);
    ASSERT_FALSE(description.problems.empty()) << c.what;
    EXPECT_EQ(description.problems.front().offset, c.at - 8) << c.what;
    EXPECT_EQ(description.problems.front().what, c.what);
  }
  EXPECT_EQ(Describe(Golden(kCopyEntry, {1})).problems.front().what,
            "entry 1 \"copy\" has the id 1 of an earlier entry");
}

// Cut at every length inside the entries and at a sample inside the device record.
TEST(LibraryJson, NeitherTheProgramNorTheToolTakesACutFileAndBothRefuseItAtTheSameByte) {
  const std::vector<std::uint8_t> golden = GoldenLibraryFile();
  for (std::size_t length = 0; length < golden.size(); length += length < 400 ? 1 : 1013) {
    MacroLibrary library;
    FileProblem expected;
    ASSERT_NE(ParseLibrary(golden.data(), length, library, &expected), LibraryParse::kParsed) << "cut at " << length;
    EXPECT_LE(expected.offset, length);
    const FileDescription description = DescribeFile(golden.data(), length);
    ASSERT_FALSE(description.readable) << "cut at " << length;
    if (DetectFileKind(golden.data(), length) == FileKind::kLibrary) {
      EXPECT_EQ(description.problems.front().offset, expected.offset) << "cut at " << length;
      EXPECT_EQ(description.problems.front().what, expected.what);
    }
  }
  const FileDescription badLength = Describe(Golden(kCopyCommands + 4, {9}));
  EXPECT_FALSE(badLength.readable);
  EXPECT_EQ(badLength.problems.front().offset, kCopyCommands + 4);
  EXPECT_EQ(badLength.problems.front().what, "command length 9 is not 1 to 5");
}

TEST(LibraryJson, BuildsAHandWrittenDescriptionFillingInWhatFollowsFromTheRest) {
  const std::vector<std::uint8_t> built = Build(R"({
    "file": "library",
    "entries": [
      {"kind": "group", "name": "Work", "flags": 1},
      {"name": "copy", "parent": 1, "commands": [{"bytes": "04"}, {"bytes": "83 06"}]},
      {"name": "Tap", "commands": [{"bytes": "05"}, {"bytes": "89 2C 01"}, {"bytes": "88 10"}]}
    ],
    "devices": [{"key": 4660, "profileCount": 7, "currentProfile": 2, "profileSetting": 3,
      "pairs": [[10, 20], [11, 21], [12, 22], [13, 23], [14, 24], [15, 25], [16, 26], [17, 27], [18, 28], [19, 29]],
      "profiles": [
        {"slot": 0, "code": 18, "name": "Mode 1", "name2": "second", "valueA": 8},
        {"slot": 1, "code": 18, "name": "Mode 2", "row": [0, 0, 0, 0, 3], "valueB": 8},
        {"slot": 2, "code": 18, "name": "Mode 3", "valueC": 8},
        {"slot": 3, "code": 18, "name": "Mode 4"}, {"slot": 4, "code": 18, "name": "Mode 5"},
        {"slot": 5, "code": 18, "name": "Mode 6"}, {"slot": 6, "code": 18, "name": "Mode 7"}]}]
  })");
  EXPECT_EQ(built, GoldenLibraryFile()) << "ids, addresses, sizes and the group's child count are filled in";
}

TEST(LibraryJson, SaysWhereADescriptionCannotBeBuilt) {
  struct Case {
    const char* json;
    std::string error;
  };
  const Case cases[] = {
      {R"({"file": "library", "entries": [{"name": "a", "comands": []}]})",
       "/entries/0/comands: unknown member \"comands\" in an entry"},
      {R"({"file": "library", "entries": [{"name": "a", "commands": [{"bytes": "83 0"}]}]})",
       "/entries/0/commands/0/bytes: \"bytes\": character 4 does not start a two-digit hex byte"},
      {"{\"file\": \"library\", \"entries\": [{\"name\": \"a\",\n \"commands\": [{\"length\": 3, \"bytes\": \"83 "
       "04\"}]}]}",
       "/entries/0/commands/0/length: \"length\" is 3 but \"bytes\" holds 2"},
      {R"({"file": "library", "entries": [{"name": "a", "commands": [{"bytes": "01 02 03 04 05 06"}]}]})",
       "/entries/0/commands/0/bytes: a command has 1 to 5 bytes, not 6"},
      {R"({"file": "library", "entries": [{"name": "a", "id": -1}]})",
       "/entries/0/id: id must be a whole number from 0 to 4294967295"},
      {R"({"file": "library", "devices": [{"key": 1, "profiles": [{"slot": 200}]}]})",
       "/devices/0/profiles/0/slot: \"slot\" must be 0 to 199"},
      {R"({"file": "library", "entries": [{"name": {"text": "\u0100", "narrow": true}}]})",
       "/entries/0/name: \"name\" is narrow but holds a character above U+00FF"},
      {R"({"file": "library", "magic": "_@_MF1_"})", "/magic: the magic of a library is \"_@_MF3_\""},
      {R"({"file": "spreadsheet"})",
       "/file: member \"file\" must say \"library\", \"macro\" or \"backup\""},
  };
  for (const Case& c : cases) {
    JsonError error;
    EXPECT_TRUE(Build(c.json, &error).empty()) << c.json;
    EXPECT_EQ(error.Text(), c.error);
  }
}
