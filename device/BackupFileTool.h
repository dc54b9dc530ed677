#pragma once
// The command-line companion's commands on backup files. Each returns the
// process's exit code (0 when all went well) and writes only to the streams
// it is given, so the companion's main only picks the command.
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace device {

// Whether `bytes` start like a backup file (its magic as an archive string),
// or `text` looks like the JSON form of one.
bool HasBackupMagic(const std::vector<std::uint8_t>& bytes);
bool LooksLikeBackupJson(const std::string& text);

// Prints the file as JSON. A sound file that is not in the program's own form
// (older string forms) gets a note on `err`: `build` would write it the
// program's way, not byte for byte.
int ShowBackupFile(const std::filesystem::path& file, std::ostream& out, std::ostream& err);

// Checks the file as a restore would: "ok" on `out`, or one line on `err`
// saying at which byte offset what is wrong.
int CheckBackupFile(const std::filesystem::path& file, std::ostream& out, std::ostream& err);

// Writes the backup file `output` from the JSON text in `json` (as `show`
// printed it), replacing `output` in one step. One line on `err` on failure.
int BuildBackupFile(const std::filesystem::path& json, const std::filesystem::path& output,
                    std::ostream& err);

}  // namespace device
