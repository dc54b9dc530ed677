#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "base/AtomicFile.h"
#include "macro/LibraryFile.h"
#include "support/FileBytes.h"
#include "support/GoldenLibrary.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class LibraryFileTest : public ::testing::Test {
 protected:
  void Put(const std::vector<std::uint8_t>& bytes) { ASSERT_EQ(WriteFileAtomically(file, bytes), 1); }
  std::vector<std::uint8_t> Get(const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadFileBytes(path, bytes), FileReadResult::kRead);
    return bytes;
  }
  std::vector<fs::path> Aside() {
    std::vector<fs::path> found;
    for (const auto& item : fs::directory_iterator(folder)) {
      if (item.path().filename().string().find(".damaged-") != std::string::npos) found.push_back(item.path());
    }
    return found;
  }

  TempFolder folder;
  fs::path file = folder / "macro.dat";
  MacroLibrary library;
  LibraryView view;
};

}  // namespace

TEST_F(LibraryFileTest, LoadsAHandBuiltFileAndSavesItBackByteForByte) {
  Put(GoldenLibraryFile());
  const LibraryLoadReport report = LoadLibrary(library, view, file, 0, 10);
  ASSERT_EQ(report.result, LibraryLoad::kLoaded) << report.problem.what << " at " << report.problem.offset;
  EXPECT_TRUE(report.keptAside.empty());

  ASSERT_EQ(library.entries.size(), 3u);
  const LibraryEntry& group = *library.entries[0];
  EXPECT_EQ(group.name, u"Work");
  EXPECT_TRUE(group.IsGroup());
  const LibraryEntry* tap = library.FindMacroById(3);
  ASSERT_NE(tap, nullptr);
  ASSERT_EQ(tap->commands.size(), 3u);
  EXPECT_EQ(tap->commands[1].code[1], 0x2C);
  EXPECT_EQ(tap->commands[2].address, 4u);
  EXPECT_EQ(tap->size, 6u);

  ASSERT_EQ(library.devices.count(0x1234), 1u);
  const DeviceProfileRecord& mouse = library.devices.at(0x1234);
  EXPECT_EQ(mouse.profileCount, 7u);
  EXPECT_EQ(mouse.currentProfile, 2u);
  EXPECT_EQ(mouse.profileSetting, 3u);
  EXPECT_EQ(mouse.pairFirst[9], 19u);
  EXPECT_EQ(mouse.pairSecond[0], 20u);
  EXPECT_EQ(mouse.rows[1][4], 3u);
  EXPECT_EQ(mouse.profileName[6], u"Mode 7");
  EXPECT_EQ(mouse.profileName2[0], u"second");
  EXPECT_EQ(mouse.profileCode[6], 18u);
  EXPECT_EQ(mouse.valueC[2], 8u);

  std::vector<std::u16string> rows;
  for (const LibraryEntry* entry : view.rows) rows.push_back(entry->name);
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"Work", u"copy", u"Tap"}));

  ASSERT_EQ(SaveLibrary(library, file), 1);
  EXPECT_EQ(Get(file), GoldenLibraryFile());
}

TEST_F(LibraryFileTest, GivesAnEmptyLibraryWhenTheFileIsMissing) {
  EXPECT_EQ(LoadLibrary(library, view, file, 0).result, LibraryLoad::kMissing);
  EXPECT_TRUE(library.entries.empty());
  EXPECT_EQ(view.Count(), 0);
}

TEST_F(LibraryFileTest, SetsAForeignFileAsideAndSavesBesideADamagedOne) {
  library.AddEntry(u"mine", false, 0, 0, NewMacro());
  FileBytes other;
  other.Text("_@_MF2_").U32(0).U32(0);
  Put(other.data);
  const LibraryLoadReport foreign = LoadLibrary(library, view, file, 0);
  EXPECT_EQ(foreign.result, LibraryLoad::kWrongMagic);
  ASSERT_EQ(library.entries.size(), 1u);  // the library in memory is left as it was

  // What a cut keeps and where the copy goes is the damaged-file harness's;
  // here, that the view shows what was kept and a later save spares the copy.
  std::vector<std::uint8_t> cut = GoldenLibraryFile();
  cut.resize(200);
  Put(cut);
  const LibraryLoadReport report = LoadLibrary(library, view, file, 1);
  EXPECT_EQ(view.Count(), 3);
  library.AddEntry(u"new", false, 0, 0, NewMacro());
  ASSERT_EQ(SaveLibrary(library, file), 1);
  EXPECT_EQ(Get(report.keptAside), cut);
}

TEST_F(LibraryFileTest, RefusesCountsAndLengthsTheRestOfTheFileCannotHold) {
  const auto damagedAt = [](const FileBytes& bytes) {
    MacroLibrary parsed;
    FileProblem problem;
    EXPECT_EQ(ParseLibrary(bytes.data.data(), bytes.data.size(), parsed, &problem), LibraryParse::kDamaged);
    return problem.offset;
  };
  EXPECT_EQ(damagedAt(FileBytes().Text("_@_MF3_").U32(0xFFFFFFFF)), 22u);
  damagedAt(FileBytes().Text("_@_MF3_").U32(1).U32(1).U32(0).Text("m").U32(0).U32(0).U32(0).U32(0x10000000));
  damagedAt(FileBytes().Text("_@_MF3_").U32(0).U32(2).U32(1));
  // An entry neither macro nor group, as bytes read out of place give.
  EXPECT_EQ(damagedAt(FileBytes().Text("_@_MF3_").U32(1).U32(1).U32(2).Text("m").U32(0).U32(0).U32(0).U32(0).U32(0)),
            26u);
  // A command length outside 1 to 5.
  FileBytes bad;
  bad.Text("_@_MF3_").U32(1).U32(1).U32(0).Text("m").U32(0).U32(1).U32(0).U32(1);
  bad.U32(0).U32(6).Raw({0x04, 0, 0, 0, 0}).U32(0);
  EXPECT_EQ(damagedAt(bad), 56u);
}

TEST_F(LibraryFileTest, LoadsAFileWithUnknownTrailingBytesAndKeepsACopy) {
  std::vector<std::uint8_t> longer = GoldenLibraryFile();
  longer.push_back(0x42);
  Put(longer);
  const LibraryLoadReport report = LoadLibrary(library, view, file, 0);
  EXPECT_EQ(report.result, LibraryLoad::kLoaded);
  EXPECT_EQ(library.entries.size(), 3u);
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(Get(report.keptAside), longer);
}

TEST_F(LibraryFileTest, RoundTripsTextsOfEveryLengthAndOldEightBitNames) {
  library.AddEntry(std::u16string(300, u'\u00e9'), false, 0, 0, NewMacro());
  library.AddEntry(u"", true, 0, 1, {});
  library.devices[1].profileName[199] = u"\U0001F5B1 mouse";
  ASSERT_EQ(SaveLibrary(library, file), 1);
  MacroLibrary loaded;
  LibraryView loadedView;
  ASSERT_EQ(LoadLibrary(loaded, loadedView, file, 0).result, LibraryLoad::kLoaded);
  EXPECT_EQ(loaded.entries[0]->name, library.entries[0]->name);
  EXPECT_TRUE(loaded.devices.at(1) == library.devices.at(1));
  EXPECT_EQ(SerializeLibrary(loaded), SerializeLibrary(library));

  FileBytes narrow;
  narrow.Raw({7}).Raw({'_', '@', '_', 'M', 'F', '3', '_'}).U32(1).U32(1).U32(0).Raw({2, 'o', 'k'});
  narrow.U32(0).U32(0).U32(0).U32(0).U32(0);
  MacroLibrary old;
  ASSERT_EQ(ParseLibrary(narrow.data.data(), narrow.data.size(), old), LibraryParse::kParsed);
  EXPECT_EQ(old.entries[0]->name, u"ok");
}

TEST_F(LibraryFileTest, SavesBesideAFileItCannotReadAndLeavesTheFileAlone) {
  std::tm when{};
  when.tm_year = 2026 - 1900;
  when.tm_mon = 11;
  when.tm_mday = 6;
  when.tm_hour = 15;
  when.tm_min = 30;
  EXPECT_EQ(UnsavedLibraryName(file, when), folder / "macro (unsaved 2026-12-06 1530).dat");

  // A folder where the file should be reads as a file that cannot be read.
  fs::create_directories(file / "inside");
  const LibraryLoadReport first = LoadLibrary(library, view, file, 0);
  EXPECT_EQ(first.result, LibraryLoad::kUnreadable);
  EXPECT_EQ(first.savedInstead.parent_path(), folder);
  library.AddEntry(u"kept", false, 0, 0, NewMacro());
  ASSERT_EQ(SaveLibrary(library, file), 1);
  EXPECT_TRUE(fs::is_directory(file / "inside"));
  MacroLibrary saved;
  LibraryView savedView;
  ASSERT_EQ(LoadLibrary(saved, savedView, first.savedInstead, 0).result, LibraryLoad::kLoaded);
  EXPECT_EQ(saved.entries.at(0)->name, u"kept");

  // A second run in the same minute leaves the first one's file to it.
  MacroLibrary second;
  const LibraryLoadReport again = LoadLibrary(second, savedView, file, 0);
  fs::path expected = first.savedInstead.stem();
  expected += " 2.dat";
  EXPECT_EQ(again.savedInstead, folder / expected);
}

TEST_F(LibraryFileTest, SavesFromAWorkerWhileTheWindowThreadLoads) {
  library.AddEntry(u"group", true, 0, 1, {});
  library.AddEntry(u"macro", false, 1, 0, NewMacro());
  ASSERT_EQ(SaveLibrary(library, file), 1);
  std::thread worker([this] {
    for (int i = 0; i < 20; ++i) SaveLibrary(library, file);
  });
  for (int i = 0; i < 20; ++i) {
    const LibraryLoad result = LoadLibrary(library, view, file, 0).result;
    EXPECT_EQ(result, LibraryLoad::kLoaded);
  }
  worker.join();
  EXPECT_EQ(library.entries.size(), 2u);
  EXPECT_TRUE(Aside().empty());
}
