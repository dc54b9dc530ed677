#include <gtest/gtest.h>

#include <fstream>

#include "device/BackupFile.h"
#include "unit/device/OperationRig.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

device::BackupFile SmallBackup() {
  device::BackupFile backup;
  backup.image[0] = 0xAB;
  backup.image[8191] = 0xCD;
  backup.levels = {{{4, 4}, {8, 9}, {12, 12}, {16, 40}}};
  backup.names[0] = u"Work";
  backup.names[6] = u"\u00e9t\u00e9";
  return backup;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

bool SameBackup(const device::BackupFile& a, const device::BackupFile& b) {
  for (std::size_t i = 0; i < a.levels.size(); ++i) {
    if (a.levels[i].x != b.levels[i].x || a.levels[i].y != b.levels[i].y) return false;
  }
  return a.imageSize == b.imageSize && a.image == b.image && a.names == b.names;
}

// Decodes `bytes`, expecting a refusal at `offset` that leaves the target alone.
void ExpectRefused(const Bytes& bytes, std::size_t offset, const std::string& about) {
  device::BackupFile target = SmallBackup();
  device::BackupProblem problem;
  EXPECT_EQ(device::DecodeBackupFile(bytes.data(), bytes.size(), target, &problem), 0) << about;
  EXPECT_EQ(problem.offset, offset) << about << ": " << problem.what;
  EXPECT_FALSE(problem.what.empty()) << about;
  EXPECT_TRUE(SameBackup(target, SmallBackup())) << about;
}

}  // namespace

TEST(BackupFile, IsWrittenAsMagicSizeImageLevelsAndNamesByteForByte) {
  const Bytes header = {0xFF, 0xFE, 0xFF, 0x08, '_', 0, '@', 0, '_',  0,    'M',  0,
                        'B',  0,    'F',  0,    '1', 0, '_', 0, 0x00, 0x20, 0x00, 0x00};
  Bytes image(8192, 0);
  image.front() = 0xAB;
  image.back() = 0xCD;
  const Bytes levels = {4, 4, 8, 9, 12, 12, 16, 40};
  const Bytes names = {0xFF, 0xFE, 0xFF, 4, 'W',  0,    'o',  0, 'r',  0,    'k',  0,  //
                       0xFF, 0xFE, 0xFF, 0, 0xFF, 0xFE, 0xFF, 0, 0xFF, 0xFE, 0xFF, 0,
                       0xFF, 0xFE, 0xFF, 0, 0xFF, 0xFE, 0xFF, 0,  //
                       0xFF, 0xFE, 0xFF, 3, 0xE9, 0,    't',  0, 0xE9, 0};
  const Bytes encoded = device::EncodeBackupFile(SmallBackup());
  EXPECT_EQ(encoded, Concat({header, image, levels, names}));

  device::BackupFile decoded;
  ASSERT_EQ(device::DecodeBackupFile(encoded.data(), encoded.size(), decoded), 1);
  EXPECT_TRUE(SameBackup(decoded, SmallBackup()));
}

TEST(BackupFile, ARefusedFileSaysWhereAndLeavesTheTargetAlone) {
  const Bytes good = device::EncodeBackupFile(SmallBackup());
  const std::size_t sizeField = 20;
  const std::size_t levelsAt = 24 + 8192;
  const std::size_t namesAt = levelsAt + 8;

  for (std::size_t i = 0; i < 8; ++i) {
    Bytes bytes = good;
    bytes[4 + 2 * i] ^= 0x01;
    ExpectRefused(bytes, 0, "magic character " + std::to_string(i));
  }
  for (std::uint32_t size : {8193u, 16384u, 0xFFFFFFFFu}) {
    Bytes bytes = good;
    for (int b = 0; b < 4; ++b)
      bytes[sizeField + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(size >> (8 * b));
    ExpectRefused(bytes, sizeField, "image size " + std::to_string(size));
  }
  // Each cut is refused where the first incomplete field starts.
  const std::vector<std::pair<std::size_t, std::size_t>> cuts = {
      {0, 0},
      {3, 3},
      {19, 4},
      {sizeField + 2, sizeField},
      {levelsAt - 1, 24},
      {levelsAt + 7, levelsAt + 7},
      {namesAt + 3, namesAt + 3},
      {good.size() - 1, good.size() - 6}};
  for (const auto& [cut, offset] : cuts) {
    ExpectRefused(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)), offset,
                  "cut at " + std::to_string(cut));
  }
}

TEST(BackupFile, LoadsAShorterImageAZeroStepAndHoweverMuchFollowsTheNames) {
  // An image of 100 bytes, level 1 with a Y step of 0, and what a later
  // version might add after the names, more than any backup of ours holds.
  device::BackupFile shorter = SmallBackup();
  shorter.imageSize = 100;
  shorter.image[8191] = 0;
  shorter.levels[1].y = 0;
  Bytes bytes = device::EncodeBackupFile(shorter);
  ASSERT_EQ(bytes.size(), 24u + 100u + 8u + 7u * 4u + 8u + 6u);
  bytes.resize(device::kBackupFileMaxBytes * 3, 0x5A);
  TempFolder folder;
  {
    std::ofstream out(folder / "later.mbf", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  device::BackupFile loaded;
  device::BackupProblem problem;
  ASSERT_EQ(device::LoadBackupFile(folder / "later.mbf", loaded, &problem), 1) << problem.what;
  EXPECT_TRUE(SameBackup(loaded, shorter));
  EXPECT_EQ(device::LoadBackupFile(folder / "none.mbf", loaded, &problem), 0);
  EXPECT_EQ(problem.what, "no such file");
}

TEST(ProfileName, IsAtMostEightUnitsEndingAtTheFirstZeroUnit) {
  device::ProfileNameBytes full{};
  for (std::size_t i = 0; i < full.size(); i += 2) full[i] = static_cast<std::uint8_t>('A' + i / 2);
  EXPECT_EQ(device::ProfileNameFromBytes(full), u"ABCDEFGH");

  device::ProfileNameBytes shortName{};
  shortName[0] = 'O';
  shortName[2] = 0x4B;
  shortName[3] = 0x30;  // U+304B
  shortName[6] = 'x';   // after the terminating zero unit: not part of the name
  EXPECT_EQ(device::ProfileNameFromBytes(shortName), u"O\u304B");

  const device::ProfileNameBytes written = device::ProfileNameToBytes(u"ABCDEFGHIJ");
  EXPECT_EQ(written, full);
  const device::ProfileNameBytes padded = device::ProfileNameToBytes(u"O\u304B");
  EXPECT_EQ(padded, (device::ProfileNameBytes{'O', 0, 0x4B, 0x30}));
}
