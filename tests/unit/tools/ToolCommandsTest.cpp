#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "base/AtomicFile.h"
#include "base/Utf16.h"
#include "macro/ProfileRules.h"
#include "macro/ScanCodeTable.h"
#include "tests/unit/tools/ToolFiles.h"
#include "tools/JsonFields.h"
#include "tools/ToolCommands.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class ToolCommandsTest : public ::testing::Test {
 protected:
  fs::path Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = folder / name;
    EXPECT_EQ(WriteFileAtomically(path, bytes), 1);
    return path;
  }
  fs::path PutText(const std::string& name, const std::string& text) {
    return Put(name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  std::vector<std::uint8_t> Get(const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadFileBytes(path, bytes), FileReadResult::kRead);
    return bytes;
  }
  int Run(std::initializer_list<std::string> args) {
    std::vector<std::u16string> wide;
    for (const std::string& arg : args) wide.push_back(text::FromUtf8(arg));
    out.str("");
    err.str("");
    return RunTool(wide, out, err);
  }
  std::string P(const fs::path& path) { return path.u8string(); }

  TempFolder folder;
  std::ostringstream out;
  std::ostringstream err;
};

}  // namespace

TEST_F(ToolCommandsTest, ShowThenBuildGivesTheSameFileWhateverItIsCalled) {
  // The kind comes from the magic: a library named like a macro file is still a library.
  const fs::path library = Put("library.mf", GoldenLibraryFile());
  ASSERT_EQ(Run({"show", P(library)}), kToolOk) << err.str();
  EXPECT_EQ(out.str().rfind("{\n  \"file\": \"library\"", 0), 0u);
  const fs::path json = PutText("library.json", out.str());
  ASSERT_EQ(Run({"build", P(json), P(folder / "rebuilt.dat")}), kToolOk) << err.str();
  EXPECT_EQ(out.str(), P(folder / "rebuilt.dat") + ": written (library file, " +
                           std::to_string(GoldenLibraryFile().size()) + " bytes)\n");
  EXPECT_EQ(Get(folder / "rebuilt.dat"), GoldenLibraryFile());
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3) << "no temporary is left";
}

TEST_F(ToolCommandsTest, CheckSaysOkOrNamesTheFirstProblemAndItsByteOnOneLine) {
  const fs::path good = Put("macro.dat", GoldenLibraryFile());
  EXPECT_EQ(Run({"check", P(good)}), kToolOk);
  EXPECT_EQ(out.str(), P(good) + ": ok (library file, 3 entries, 1 device record)\n");

  std::vector<std::uint8_t> cut = GoldenLibraryFile();
  cut.resize(100);
  const fs::path damaged = Put("cut.dat", cut);
  EXPECT_EQ(Run({"check", P(damaged)}), kToolFileProblem);
  EXPECT_EQ(err.str(), P(damaged) + ": byte 94: count 2 is larger than the rest of the file can hold\n");
  EXPECT_EQ(Run({"show", P(damaged)}), kToolFileProblem) << "a file the program cannot load is not described";
  EXPECT_EQ(out.str(), "");

  const fs::path macro = Put("tap.mf", ToolMacroFile(4, {0x04, 0x02, 0x83, 0x04, 0x00}));
  EXPECT_EQ(Run({"check", P(macro)}), kToolFileProblem);
  EXPECT_EQ(err.str(), P(macro) + ": byte 23: invalid opcode 02; an import stops here (and 1 more problem)\n");
  EXPECT_EQ(Run({"show", P(macro)}), kToolOk) << "an odd file is still described, with a note";
  EXPECT_EQ(err.str(),
            "note: " + P(macro) + ": byte 23: invalid opcode 02; an import stops here (and 1 more problem)\n");

  // Each directory entry the mouse cannot play gets its own line.
  const fs::path backup = Put("macros.mbf", ToolBackupWithMacros());
  EXPECT_EQ(Run({"check", P(backup)}), kToolFileProblem);
  EXPECT_EQ(err.str(), P(backup) + ": entry 1: 3..10 overlaps entry 0 (0..5)\n" + P(backup) +
                           ": entry 2: its end 19 lies before its start 20\n");
  EXPECT_EQ(Run({"show", P(backup)}), kToolOk);
  EXPECT_EQ(err.str(), "note: " + P(backup) + ": entry 1: 3..10 overlaps entry 0 (0..5)\nnote: " + P(backup) +
                           ": entry 2: its end 19 lies before its start 20\n");

  const fs::path foreign = PutText("notes.txt", "hello");
  EXPECT_EQ(Run({"check", P(foreign)}), kToolFileProblem);
  EXPECT_EQ(err.str(), P(foreign) + ": byte 0: not a library, macro or backup file: its magic string is unknown\n");
  EXPECT_EQ(Run({"check", P(folder / "missing.dat")}), kToolUsage);
  EXPECT_EQ(err.str(), P(folder / "missing.dat") + ": no such file\n");
}

TEST_F(ToolCommandsTest, BuildReportsJsonErrorsWithTheirPositionAndKeepsTheOldFile) {
  const fs::path target = Put("macro.dat", GoldenLibraryFile());
  const fs::path broken = PutText("broken.json", "{\n  \"file\": \"library\",\n  \"entries\": [\n}\n");
  EXPECT_EQ(Run({"build", P(broken), P(target)}), kToolFileProblem);
  EXPECT_EQ(err.str(), P(broken) + ": line 4, column 1: syntax error while parsing value - unexpected '}'; expected '[', '{', or a literal\n");
  const fs::path wrong = PutText("wrong.json", "{\"file\": \"library\", \"entries\": [{\"name\": 5}]}");
  EXPECT_EQ(Run({"build", P(wrong), P(target)}), kToolFileProblem);
  EXPECT_EQ(err.str(), P(wrong) + ": /entries/0/name: \"name\" must be an object\n");
  EXPECT_EQ(Get(target), GoldenLibraryFile());
}

TEST_F(ToolCommandsTest, WritesAnOddButReadableFileWithANoteAndExplainsItsArguments) {
  const fs::path json = PutText("cut.json", "{\"file\": \"macro\", \"count\": 1}");
  EXPECT_EQ(Run({"build", P(json), P(folder / "out.mf")}), kToolOk) << "an empty macro file is odd but readable";
  EXPECT_EQ(err.str(),
            "note: " + P(folder / "out.mf") + ": byte 22: the file holds no macro bytes (and 1 more problem)\n");
  EXPECT_EQ(Run({"show"}), kToolUsage);
  EXPECT_NE(err.str().find("usage: vantor-tool show FILE"), std::string::npos);
  EXPECT_EQ(Run({"build", P(json)}), kToolUsage);
}

TEST(ToolKeyTable, HoldsTheRowsOfTheProgramsKeyTable) {
  std::vector<std::uint8_t> resource;
  ASSERT_EQ(ReadFileBytes(fs::path(VANTOR_SOURCE_DIR) / "res" / "keytable217.txt", resource), FileReadResult::kRead);
  const ScanCodeTable program = ScanCodeTable::Parse(ScanCodeTextFromBytes(resource));
  const ScanCodeTable tool = ScanCodeTable::Parse(ToolScanCodeTableText());
  for (int usage = 0; usage < 256; ++usage) {
    EXPECT_EQ(tool.ScanCode(static_cast<std::uint8_t>(usage)), program.ScanCode(static_cast<std::uint8_t>(usage)))
        << "usage " << usage;
  }
}

TEST_F(ToolCommandsTest, RulesAreListedAddedAndRemovedInTheFileTheWindowReads) {
  const std::string rules = "--rules=" + P(folder / "profiles.rules");
  EXPECT_EQ(Run({rules, "rules"}), kToolOk);
  EXPECT_EQ(out.str(), P(folder / "profiles.rules") + ": 0 rules; no match: stay\n");
  EXPECT_EQ(Run({rules, "rules", "add", "C:\\Games\\My Game.exe", "3"}), kToolOk) << err.str();
  EXPECT_EQ(Run({"rules", rules, "add", "tool.exe", "0"}), kToolOk);
  EXPECT_EQ(Run({"rules", "no-match", "6", rules}), kToolOk);
  EXPECT_EQ(Run({"--json", rules, "rules", "add", "TOOL.EXE", "5"}), kToolOk);
  std::string file = P(folder / "profiles.rules");
  // In JSON a Windows path's backslashes are escaped.
  for (std::size_t at = file.find('\\'); at != std::string::npos; at = file.find('\\', at + 2)) {
    file.insert(at, 1, '\\');
  }
  EXPECT_EQ(out.str(), "{\n  \"file\": \"" + file +
                           "\",\n  \"noMatch\": 6,\n  \"rules\": [\n"
                           "    {\"program\": \"C:\\\\Games\\\\My Game.exe\", \"profile\": 3},\n"
                           "    {\"program\": \"TOOL.EXE\", \"profile\": 5}\n  ]\n}\n");
  ProfileRules saved;
  ASSERT_EQ(LoadRules(folder / "profiles.rules", saved, 0).result, RulesLoad::kLoaded);
  EXPECT_EQ(saved.ProfileFor(ProgramAt(u"c:\\games\\my game.exe")), 3);

  EXPECT_EQ(Run({rules, "rules", "remove", "tool.exe"}), kToolOk);
  EXPECT_EQ(Run({rules, "rules", "remove", "tool.exe"}), kToolUsage);
  EXPECT_EQ(err.str(), "vantor-tool: no rule for tool.exe\n");
  EXPECT_EQ(Run({rules, "rules", "add", "x.exe", "7"}), kToolUsage) << "profiles run from 0 to 6";
  EXPECT_EQ(Run({"rules", "add", "x.exe", "1"}), kToolUsage) << "no file named and no program folder";

  const std::string damagedText = "vantor profile rules 1\r\nrule 3\r\n";
  const fs::path damaged = PutText("damaged.rules", damagedText);
  EXPECT_EQ(Run({"--rules=" + P(damaged), "rules", "add", "x.exe", "1"}), kToolFileProblem);
  EXPECT_EQ(err.str(), P(damaged) + ": line 2: a rule needs a profile 0 to 6, one blank and a program\n");
  EXPECT_EQ(Get(damaged), std::vector<std::uint8_t>(damagedText.begin(), damagedText.end()))
      << "a damaged file is left for the program to keep aside";
}
