// The Win32 steps of the atomic file write.
#include <windows.h>

#include "base/AtomicFile.h"

int SyncFileToDisk(const std::filesystem::path& file) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return 0;
  const BOOL flushed = FlushFileBuffers(handle);
  CloseHandle(handle);
  return flushed ? 1 : 0;
}

int ReplaceFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target) {
  return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
}
