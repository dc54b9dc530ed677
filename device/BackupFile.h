#pragma once
// Whole-mouse backup files ("*.mbf"), little endian: the magic "_@_MBF1_" as
// an archive string, a 32-bit image size (8192 when we write one), the memory
// image, the four DPI levels as X and Y step bytes, and the seven profile
// names as archive strings. A file is checked whole before anything takes it:
// a restore must never start on a file whose end turns out to be missing.
// Whatever follows the names (a later version may add more) is left unread.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "device/DpiLevels.h"
#include "device/MemoryImage.h"

namespace device {

inline const char16_t* const kBackupMagic = u"_@_MBF1_";
inline constexpr int kBackupLevels = 4;
inline constexpr int kBackupProfiles = 7;
// A profile name on the mouse: 16 bytes, up to 8 UTF-16 units.
inline constexpr int kProfileNameBytes = 16;
inline constexpr int kProfileNameUnits = kProfileNameBytes / 2;
// No backup's own content comes near this; only this much of a file is read.
inline constexpr std::size_t kBackupFileMaxBytes = 64 * 1024;

using ProfileNameBytes = std::array<std::uint8_t, kProfileNameBytes>;

struct BackupFile {
  // The file's image may be shorter than the memory; the rest stays zero.
  std::uint32_t imageSize = kMemorySize;
  MemoryImage image{};
  std::array<LevelSteps, kBackupLevels> levels{};
  std::array<std::u16string, kBackupProfiles> names;
};

// What is wrong with a file and at which byte offset.
struct BackupProblem {
  std::size_t offset = 0;
  std::string what;
  bool unreadable = false;  // the file could not be opened or read at all
};

// The name as the mouse holds it: at most 8 units, ending at the first zero unit.
std::u16string ProfileNameFromBytes(const ProfileNameBytes& bytes);
// The first 8 units of `name`, zero-filled behind.
ProfileNameBytes ProfileNameToBytes(const std::u16string& name);

std::vector<std::uint8_t> EncodeBackupFile(const BackupFile& backup);

// A zero step is what a failed level read leaves: written back it would leave
// the pointer dead at that level, so a restore skips such a level.
inline bool HasZeroStep(const LevelSteps& steps) { return steps.x == 0 || steps.y == 0; }

// Parses a file image. Returns 1 and fills `backup` when the magic is right,
// the image size is at most 8192 and the image, levels and seven names are
// all there; otherwise returns 0, leaves `backup` as it was and says what is
// wrong in `problem`.
int DecodeBackupFile(const std::uint8_t* data, std::size_t size, BackupFile& backup,
                     BackupProblem* problem = nullptr);

// Reads the start of `file` (up to kBackupFileMaxBytes) and checks it as
// DecodeBackupFile does.
int LoadBackupFile(const std::filesystem::path& file, BackupFile& backup,
                   BackupProblem* problem = nullptr);

// Writes `file` through a temporary beside it, so an old file at that path is
// either kept whole or replaced whole.
int SaveBackupFile(const std::filesystem::path& file, const BackupFile& backup,
                   std::string* error = nullptr);

// "backup_" followed by the date the caller formatted (the user's locale decides how).
std::u16string DefaultBackupName(const std::u16string& date);

}  // namespace device
