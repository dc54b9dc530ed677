#include "device/BackupFileTool.h"

#include <algorithm>
#include <cstdint>

#include "base/AtomicFile.h"
#include "device/BackupFile.h"
#include "device/BackupFileJson.h"

namespace device {
namespace {

// The magic as the program writes it: wide marker, 8 characters, UTF-16LE.
const std::vector<std::uint8_t> kMagicBytes = {0xFF, 0xFE, 0xFF, 0x08, '_', 0, '@', 0, '_', 0,
                                               'M',  0,    'B',  0,    'F', 0, '1', 0, '_', 0};

int Refuse(std::ostream& err, const std::filesystem::path& file, const BackupProblem& problem) {
  err << file.u8string() << ": " << BackupProblemLine(problem) << "\n";
  return 1;
}

}  // namespace

bool HasBackupMagic(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= kMagicBytes.size() &&
         std::equal(kMagicBytes.begin(), kMagicBytes.end(), bytes.begin());
}

bool LooksLikeBackupJson(const std::string& text) {
  return text.find("\"_@_MBF1_\"") != std::string::npos;
}

int ShowBackupFile(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
  BackupFile backup;
  BackupProblem problem;
  if (!LoadBackupFile(file, backup, &problem)) return Refuse(err, file, problem);
  std::vector<std::uint8_t> bytes;
  if (ReadFileBytes(file, bytes, kBackupFileMaxBytes) != FileReadResult::kRead ||
      EncodeBackupFile(backup) != bytes) {
    err << file.u8string()
        << ": note: sound, but not in the program's own string form; build writes it that way\n";
  }
  out << BackupFileToJson(backup);
  return 0;
}

int CheckBackupFile(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
  BackupFile backup;
  BackupProblem problem;
  if (!LoadBackupFile(file, backup, &problem)) return Refuse(err, file, problem);
  out << "ok\n";
  return 0;
}

int BuildBackupFile(const std::filesystem::path& json, const std::filesystem::path& output,
                    std::ostream& err) {
  std::vector<std::uint8_t> bytes;
  BackupProblem problem;
  // The JSON form of a backup is about 17 KB; allow generous hand editing.
  constexpr std::size_t kMaxJson = 1024 * 1024;
  if (ReadFileBytes(json, bytes, kMaxJson + 1) != FileReadResult::kRead) {
    problem.what = "the file cannot be read";
    return Refuse(err, json, problem);
  }
  if (bytes.size() > kMaxJson) {
    problem.offset = kMaxJson;
    problem.what = "the text is larger than any backup's";
    return Refuse(err, json, problem);
  }
  BackupFile backup;
  if (!BackupFileFromJson(std::string(bytes.begin(), bytes.end()), backup, &problem)) {
    return Refuse(err, json, problem);
  }
  std::string error;
  if (!SaveBackupFile(output, backup, &error)) {
    err << output.u8string() << ": " << error << "\n";
    return 1;
  }
  return 0;
}

}  // namespace device
