#pragma once
// Whole-file reads and writes of the program's own files. A write goes to a
// temporary file in the same folder, is flushed to the disk and then replaces
// the target in one step, so a crash or a full disk leaves either the old file
// or the new one, never half of one.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

enum class FileReadResult { kRead, kMissing, kFailed };

// Reads at most `maxBytes` bytes from the start of `file`.
FileReadResult ReadFileBytes(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes,
                             std::size_t maxBytes = static_cast<std::size_t>(-1));

// Returns 1 when `bytes` are in place under `target`; on failure the target is
// untouched, no temporary is left behind and `error` says what failed.
int WriteFileAtomically(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes,
                        std::string* error = nullptr);

// Removes the temporaries that writes of `target` left behind when the
// program was killed before their replace, once they are older than
// `minimumAgeSeconds` (a younger one may belong to a write still running in
// another process). Returns how many were removed.
int RemoveLeftTemporaries(const std::filesystem::path& target, int minimumAgeSeconds);

// The name a damaged file is kept under: "macro.dat" becomes
// "macro.dat.damaged-20261206-071500" for that local time.
std::filesystem::path DamagedFileName(const std::filesystem::path& file, const std::tm& when);

// Moves a file that could not be read aside, so that nothing written later can
// replace it; `keptAt` receives the new name. A name already taken gets a
// counter. With `copy` the file stays where it is and a copy is kept instead.
int KeepDamagedFileAside(const std::filesystem::path& file, std::time_t now,
                         std::filesystem::path& keptAt, bool copy = false);

// Platform steps: POSIX ones in AtomicFile.cpp, Win32 ones in base/win/.
// Flushes the file's data to the disk.
int SyncFileToDisk(const std::filesystem::path& file);
// Replaces `target` by `source` in one step (both in the same folder).
int ReplaceFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target);
