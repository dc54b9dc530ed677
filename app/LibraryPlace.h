#pragma once
// Where "macro.dat" lives. Beside the program while its folder takes our
// writes; under Program Files an ordinary user's writes are refused there, so
// the library moves to the user's own folder for the program: a file already
// beside the program is read from there once, and the first save puts it in
// the user's folder, which every later start reads.
#include <ctime>
#include <filesystem>

#include "macro/LibraryFile.h"
#include "macro/LibraryView.h"
#include "macro/MacroLibrary.h"

// The folder under the user's application data that holds the library.
inline const char16_t* const kUserFolderName = u"Wendral Mouse";
inline const char16_t* const kLibraryFileName = u"macro.dat";

struct LibraryPlace {
  std::filesystem::path readFrom;  // where this start reads the library
  std::filesystem::path saveTo;    // where every save of this run goes
};

// `userDir` is the user's folder for the program (for example
// "%APPDATA%\Wendral Mouse"), empty when the system names none.
LibraryPlace ChooseLibraryPlace(const std::filesystem::path& programDir, bool programDirWritable,
                                const std::filesystem::path& userDir);

// Whether a file can be created in `dir`: tried with a file that is removed
// again, since permissions alone do not tell what the system will refuse.
bool FolderIsWritable(const std::filesystem::path& dir);

// Loads the library from `place.readFrom`. When saves go elsewhere, their
// folder is created, and a file that could not be read stays untouched
// because nothing of this run writes it.
LibraryLoadReport LoadLibraryAt(const LibraryPlace& place, MacroLibrary& library, LibraryView& view, std::time_t now);
