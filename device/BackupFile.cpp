#include "device/BackupFile.h"

#include <algorithm>

#include "base/ArchiveString.h"
#include "base/AtomicFile.h"
#include "base/ByteReader.h"
#include "base/ByteWriter.h"

namespace device {
namespace {

// Reads one part of the file; a failed read is reported with the part's name.
struct Parser {
  ByteReader reader;
  BackupProblem* problem;

  int Refuse(const std::string& part) {
    if (problem != nullptr) {
      problem->offset = reader.FailOffset();
      problem->what = part + ": " + reader.FailReason();
    }
    return 0;
  }
};

}  // namespace

std::u16string ProfileNameFromBytes(const ProfileNameBytes& bytes) {
  std::u16string name;
  for (int i = 0; i < kProfileNameUnits; ++i) {
    const auto unit = static_cast<char16_t>(bytes[static_cast<std::size_t>(2 * i)] |
                                            (bytes[static_cast<std::size_t>(2 * i + 1)] << 8));
    if (unit == 0) break;
    name.push_back(unit);
  }
  return name;
}

ProfileNameBytes ProfileNameToBytes(const std::u16string& name) {
  ProfileNameBytes bytes{};
  const std::size_t units = std::min<std::size_t>(name.size(), kProfileNameUnits);
  for (std::size_t i = 0; i < units; ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(name[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(name[i] >> 8);
  }
  return bytes;
}

std::vector<std::uint8_t> EncodeBackupFile(const BackupFile& backup) {
  ByteWriter writer;
  writer.Reserve(kMemorySize + 128);
  WriteArchiveString(writer, kBackupMagic);
  const std::uint32_t imageSize = std::min<std::uint32_t>(backup.imageSize, kMemorySize);
  writer.WriteU32(imageSize);
  writer.WriteBytes(backup.image.data(), imageSize);
  for (const LevelSteps& level : backup.levels) {
    writer.WriteU8(level.x);
    writer.WriteU8(level.y);
  }
  for (const std::u16string& name : backup.names) WriteArchiveString(writer, name);
  return writer.Take();
}

int DecodeBackupFile(const std::uint8_t* data, std::size_t size, BackupFile& backup,
                     BackupProblem* problem) {
  Parser parser{ByteReader(data, size), problem};
  ByteReader& reader = parser.reader;

  std::u16string magic;
  if (!ReadArchiveString(reader, magic)) return parser.Refuse("magic");
  if (magic != kBackupMagic) {
    reader.FailAt(0, "not a backup file (the magic is not \"_@_MBF1_\")");
    return parser.Refuse("magic");
  }

  const std::size_t sizeOffset = reader.Offset();
  std::uint32_t imageSize = 0;
  if (!reader.ReadU32(imageSize)) return parser.Refuse("image size");
  if (imageSize > kMemorySize) {
    reader.FailAt(sizeOffset, "image size is " + std::to_string(imageSize) + ", more than 8192");
    return parser.Refuse("image size");
  }

  // Everything goes to a temporary; `backup` changes only when all of it is sound.
  BackupFile parsed;
  parsed.imageSize = imageSize;
  if (!reader.ReadBytes(parsed.image.data(), imageSize)) return parser.Refuse("memory image");

  for (int level = 0; level < kBackupLevels; ++level) {
    LevelSteps& steps = parsed.levels[static_cast<std::size_t>(level)];
    if (!reader.ReadU8(steps.x) || !reader.ReadU8(steps.y)) {
      return parser.Refuse("DPI level " + std::to_string(level));
    }
  }

  for (int profile = 0; profile < kBackupProfiles; ++profile) {
    if (!ReadArchiveString(reader, parsed.names[static_cast<std::size_t>(profile)])) {
      return parser.Refuse("profile name " + std::to_string(profile));
    }
  }
  backup = parsed;
  return 1;
}

int LoadBackupFile(const std::filesystem::path& file, BackupFile& backup, BackupProblem* problem) {
  std::vector<std::uint8_t> bytes;
  const FileReadResult read = ReadFileBytes(file, bytes, kBackupFileMaxBytes);
  if (read != FileReadResult::kRead) {
    if (problem != nullptr) {
      problem->offset = 0;
      problem->what = read == FileReadResult::kMissing ? "no such file" : "the file cannot be read";
      problem->unreadable = true;
    }
    return 0;
  }
  return DecodeBackupFile(bytes.data(), bytes.size(), backup, problem);
}

int SaveBackupFile(const std::filesystem::path& file, const BackupFile& backup,
                   std::string* error) {
  // What an earlier save killed on the way left beside the file goes first.
  RemoveLeftTemporaries(file, 60);
  return WriteFileAtomically(file, EncodeBackupFile(backup), error);
}

std::u16string DefaultBackupName(const std::u16string& date) { return u"backup_" + date; }

}  // namespace device
