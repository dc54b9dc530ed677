#pragma once
// Where "macro.dat" lives: the place of our own files (base/FilePlace.h).
#include <ctime>
#include <filesystem>

#include "base/FilePlace.h"
#include "macro/LibraryFile.h"
#include "macro/LibraryView.h"
#include "macro/MacroLibrary.h"

using LibraryPlace = FilePlace;

// `userDir` is the user's folder for the program (for example
// "%APPDATA%\Wendral Mouse"), empty when the system names none.
LibraryPlace ChooseLibraryPlace(const std::filesystem::path& programDir, bool programDirWritable,
                                const std::filesystem::path& userDir);

// Loads the library from `place.readFrom`. When saves go elsewhere, their
// folder is created, and a file that could not be read stays untouched
// because nothing of this run writes it.
LibraryLoadReport LoadLibraryAt(const LibraryPlace& place, MacroLibrary& library, LibraryView& view, std::time_t now);
