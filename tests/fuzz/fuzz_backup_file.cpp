// Feeds arbitrary bytes to the backup-file reader. Whatever it takes must
// write back to a file that reads the same, and no shorter or longer file may
// pass for it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "device/BackupFile.h"

namespace {

bool Same(const device::BackupFile& a, const device::BackupFile& b) {
  for (std::size_t i = 0; i < a.levels.size(); ++i) {
    if (a.levels[i].x != b.levels[i].x || a.levels[i].y != b.levels[i].y) return false;
  }
  return a.image == b.image && a.names == b.names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  device::BackupFile backup;
  device::BackupProblem problem;
  if (!device::DecodeBackupFile(data, size, backup, &problem)) {
    if (problem.offset > size || problem.what.empty()) std::abort();
    return 0;
  }
  for (const auto& level : backup.levels) {
    if (level.x == 0 || level.y == 0) std::abort();
  }
  const std::vector<std::uint8_t> written = device::EncodeBackupFile(backup);
  device::BackupFile again;
  if (!device::DecodeBackupFile(written.data(), written.size(), again) || !Same(backup, again))
    std::abort();
  if (device::DecodeBackupFile(data, size - 1, again)) std::abort();
  std::vector<std::uint8_t> longer(data, data + size);
  longer.push_back(0);
  if (device::DecodeBackupFile(longer.data(), longer.size(), again)) std::abort();
  for (const std::u16string& name : backup.names) {
    const std::u16string onMouse = device::ProfileNameFromBytes(device::ProfileNameToBytes(name));
    if (onMouse.size() > 8 || name.compare(0, onMouse.size(), onMouse) != 0) std::abort();
  }
  return 0;
}
