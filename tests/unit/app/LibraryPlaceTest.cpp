#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/LibraryPlace.h"
#include "base/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

class LibraryPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("vantor-place-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root);
    programDir = root / "Program Files" / "Wendral Mouse";
    userDir = root / "AppData" / "Wendral Mouse";
    fs::create_directories(programDir);
  }
  void TearDown() override { fs::remove_all(root); }

  std::vector<std::uint8_t> LibraryWith(const std::u16string& name) {
    MacroLibrary source;
    source.AddEntry(name, false, 0, 0, {});
    return SerializeLibrary(source);
  }
  std::vector<std::uint8_t> Bytes(const fs::path& file) {
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadFileBytes(file, bytes), FileReadResult::kRead) << file;
    return bytes;
  }

  fs::path root;
  fs::path programDir;
  fs::path userDir;
};

}  // namespace

TEST_F(LibraryPlaceTest, StaysBesideAWritableProgramAndMovesOutOfOneThatIsNot) {
  const fs::path beside = programDir / "macro.dat";
  const fs::path own = userDir / "macro.dat";

  LibraryPlace place = ChooseLibraryPlace(programDir, true, userDir);
  EXPECT_EQ(place.readFrom, beside);
  EXPECT_EQ(place.saveTo, beside);

  place = ChooseLibraryPlace(programDir, false, userDir);
  EXPECT_EQ(place.readFrom, beside);
  EXPECT_EQ(place.saveTo, own);

  // With no folder of the user's there is nowhere else to go.
  place = ChooseLibraryPlace(programDir, false, fs::path());
  EXPECT_EQ(place.saveTo, beside);

  // Once moved, the user's copy wins even where the program's folder takes writes.
  fs::create_directories(userDir);
  ASSERT_EQ(WriteFileAtomically(own, LibraryWith(u"mine")), 1);
  for (bool writable : {true, false}) {
    place = ChooseLibraryPlace(programDir, writable, userDir);
    EXPECT_EQ(place.readFrom, own);
    EXPECT_EQ(place.saveTo, own);
  }
}

TEST_F(LibraryPlaceTest, AnOldLibraryIsReadOnceThenSavedAndReadInTheUsersFolder) {
  const fs::path beside = programDir / "macro.dat";
  const std::vector<std::uint8_t> old = LibraryWith(u"old macro");
  ASSERT_EQ(WriteFileAtomically(beside, old), 1);

  const LibraryPlace first = ChooseLibraryPlace(programDir, false, userDir);
  MacroLibrary library;
  LibraryView view;
  EXPECT_EQ(LoadLibraryAt(first, library, view, 0).result, LibraryLoad::kLoaded);
  ASSERT_EQ(library.entries.size(), 1u);
  library.AddEntry(u"new macro", false, 0, 0, {});
  ASSERT_EQ(SaveLibrary(library, first.saveTo), 1) << "the user's folder is created at the load";
  EXPECT_EQ(Bytes(beside), old);

  const LibraryPlace next = ChooseLibraryPlace(programDir, false, userDir);
  EXPECT_EQ(next.readFrom, userDir / "macro.dat");
  MacroLibrary reloaded;
  LibraryView reloadedView;
  EXPECT_EQ(LoadLibraryAt(next, reloaded, reloadedView, 0).result, LibraryLoad::kLoaded);
  EXPECT_EQ(reloaded.entries.size(), 2u);
}

TEST_F(LibraryPlaceTest, AnUnreadableOldLibraryIsLeftAloneAndChangesGoToTheUsersFolder) {
  // A folder under the library's name cannot be read as a file.
  fs::create_directories(programDir / "macro.dat");
  const LibraryPlace place = ChooseLibraryPlace(programDir, false, userDir);
  MacroLibrary library;
  LibraryView view;
  const LibraryLoadReport report = LoadLibraryAt(place, library, view, 0);
  EXPECT_EQ(report.result, LibraryLoad::kUnreadable);
  EXPECT_EQ(report.savedInstead, place.saveTo);
  ASSERT_EQ(SaveLibrary(library, place.saveTo), 1);
  EXPECT_TRUE(fs::is_regular_file(userDir / "macro.dat"));
  EXPECT_EQ(std::distance(fs::directory_iterator(programDir), fs::directory_iterator()), 1);
}

TEST_F(LibraryPlaceTest, WritabilityIsTriedWithAFileThatIsRemovedAgain) {
  EXPECT_TRUE(FolderIsWritable(programDir));
  EXPECT_TRUE(fs::is_empty(programDir));
  EXPECT_FALSE(FolderIsWritable(root / "missing"));
}
