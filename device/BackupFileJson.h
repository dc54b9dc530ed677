#pragma once
// Backup files as JSON text, for the command-line companion: `show` prints a
// backup this way, `build` turns the text back into the file. A file written
// by the program comes back byte for byte.
//
//   {
//     "magic": "_@_MBF1_",
//     "imageSize": 8192,
//     "levels": [[4, 4], [8, 8], [12, 12], [16, 16]],
//     "names": ["Work", "", "", "", "", "", ""],
//     "image": ["<64 hex digits: bytes 0 to 31>", ... 256 lines]
//   }
//
// Names are written with \uXXXX for every unit outside printable ASCII, so
// even a name that is not valid UTF-16 survives; a hand-edited file may use
// UTF-8 instead.
#include <string>

#include "device/BackupFile.h"

namespace device {

std::string BackupFileToJson(const BackupFile& backup);

// Parses text that BackupFileToJson wrote (or an edit of it). Returns 1 and
// fills `backup` only when all of it is sound, with the same rules a restore
// applies; otherwise 0, with the byte offset in the text in `problem`.
int BackupFileFromJson(const std::string& json, BackupFile& backup,
                       BackupProblem* problem = nullptr);

// The one line that says what is wrong: "byte 20: image size: ...".
std::string BackupProblemLine(const BackupProblem& problem);

}  // namespace device
