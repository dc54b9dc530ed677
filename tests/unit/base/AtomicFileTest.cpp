#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/AtomicFile.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public ::testing::Test {
 protected:
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }

  TempFolder folder;
};

}  // namespace

TEST_F(AtomicFileTest, ReplacesTheTargetLeavingNoTemporaryAndFailsWhereTheFolderIsGone) {
  const fs::path target = folder / "macro.dat";
  ASSERT_EQ(WriteFileAtomically(target, {1, 2, 3}), 1);
  ASSERT_EQ(WriteFileAtomically(target, {9, 8}), 1);
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(ReadFileBytes(target, bytes), FileReadResult::kRead);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{9, 8}));
  EXPECT_EQ(FilesInFolder(), 1u);
  std::string error;
  EXPECT_EQ(WriteFileAtomically(folder / "missing" / "macro.dat", {1}, &error), 0);
  EXPECT_FALSE(error.empty());
}

TEST_F(AtomicFileTest, ReadsAtMostTheAskedNumberOfBytesAndTellsAMissingFile) {
  const fs::path target = folder / "big.mf";
  ASSERT_EQ(WriteFileAtomically(target, std::vector<std::uint8_t>(100000, 7)), 1);
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(ReadFileBytes(target, bytes, 20010), FileReadResult::kRead);
  EXPECT_EQ(bytes.size(), 20010u);
  EXPECT_EQ(ReadFileBytes(folder / "none", bytes), FileReadResult::kMissing);
}

TEST_F(AtomicFileTest, KeepsADamagedFileAsideUnderADatedName) {
  std::tm when{};
  when.tm_year = 2026 - 1900;
  when.tm_mon = 11;
  when.tm_mday = 6;
  when.tm_hour = 7;
  when.tm_min = 5;
  when.tm_sec = 9;
  EXPECT_EQ(DamagedFileName(folder / "macro.dat", when).filename().string(), "macro.dat.damaged-20261206-070509");

  const fs::path target = folder / "macro.dat";
  ASSERT_EQ(WriteFileAtomically(target, {5}), 1);
  fs::path first;
  ASSERT_EQ(KeepDamagedFileAside(target, 1000000, first), 1);
  EXPECT_FALSE(fs::exists(target));
  ASSERT_EQ(WriteFileAtomically(target, {6}), 1);
  fs::path second;
  ASSERT_EQ(KeepDamagedFileAside(target, 1000000, second, true), 1);
  EXPECT_TRUE(fs::exists(target));
  EXPECT_NE(first, second);
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(ReadFileBytes(first, bytes), FileReadResult::kRead);
  EXPECT_EQ(bytes, std::vector<std::uint8_t>{5});
  ASSERT_EQ(ReadFileBytes(second, bytes), FileReadResult::kRead);
  EXPECT_EQ(bytes, std::vector<std::uint8_t>{6});
}
