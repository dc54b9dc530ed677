#pragma once
// Where one of the program's own files lives. Beside the program while its
// folder takes our writes; under Program Files an ordinary user's writes are
// refused there, so the file moves to the user's own folder for the program:
// a file already beside the program is read from there once, and the first
// save puts it in the user's folder, which every later start reads.
#include <filesystem>

// The folder under the user's application data that holds our files.
inline const char16_t* const kUserFolderName = u"Wendral Mouse";

struct FilePlace {
  std::filesystem::path readFrom;  // where this start reads the file
  std::filesystem::path saveTo;    // where every save of this run goes
};

// `userDir` is the user's folder for the program (for example
// "%APPDATA%\Wendral Mouse"), empty when the system names none.
FilePlace ChooseFilePlace(const std::filesystem::path& programDir, bool programDirWritable,
                          const std::filesystem::path& userDir, const std::filesystem::path& fileName);

// Whether a file can be created in `dir`: tried with a file that is removed
// again, since permissions alone do not tell what the system will refuse.
bool FolderIsWritable(const std::filesystem::path& dir);
