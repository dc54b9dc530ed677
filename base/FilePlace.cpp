#include "base/FilePlace.h"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

FilePlace ChooseFilePlace(const fs::path& programDir, bool programDirWritable, const fs::path& userDir,
                          const fs::path& fileName) {
  const fs::path besideProgram = programDir / fileName;
  if (userDir.empty()) return {besideProgram, besideProgram};
  const fs::path userFile = userDir / fileName;
  std::error_code code;
  // Once the file has moved, the user's copy is the newer one, even if a
  // later run could write beside the program (an administrator's, say).
  if (fs::exists(userFile, code)) return {userFile, userFile};
  if (programDirWritable) return {besideProgram, besideProgram};
  return {besideProgram, userFile};
}

bool FolderIsWritable(const fs::path& dir) {
  const fs::path probe = dir / u"macro.dat.write-test";
  bool created = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    created = static_cast<bool>(out);
  }
  std::error_code code;
  if (created) fs::remove(probe, code);
  return created;
}
