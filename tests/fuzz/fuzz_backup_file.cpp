// Feeds arbitrary bytes to the backup-file reader. Whatever it takes must
// write back to a file that reads the same; that file cut by a byte must be
// refused, and bytes added after it must change nothing.
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
  return a.imageSize == b.imageSize && a.image == b.image && a.names == b.names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  device::BackupFile backup;
  device::BackupProblem problem;
  if (!device::DecodeBackupFile(data, size, backup, &problem)) {
    if (problem.offset > size || problem.what.empty()) std::abort();
    return 0;
  }
  if (backup.imageSize > device::kMemorySize) std::abort();
  std::vector<std::uint8_t> written = device::EncodeBackupFile(backup);
  device::BackupFile again;
  if (!device::DecodeBackupFile(written.data(), written.size(), again) || !Same(backup, again))
    std::abort();
  if (device::DecodeBackupFile(written.data(), written.size() - 1, again)) std::abort();
  written.push_back(0);
  device::BackupFile longer;
  if (!device::DecodeBackupFile(written.data(), written.size(), longer) || !Same(backup, longer))
    std::abort();
  for (const std::u16string& name : backup.names) {
    const std::u16string onMouse = device::ProfileNameFromBytes(device::ProfileNameToBytes(name));
    if (onMouse.size() > 8 || name.compare(0, onMouse.size(), onMouse) != 0) std::abort();
  }
  return 0;
}
