#pragma once
// Finds where this run reads and saves "macro.dat" and our other files: the user's folder is
// "%APPDATA%\Wendral Mouse", the program's folder is tried with a write.
#include <string>

#include "app/LibraryPlace.h"

LibraryPlace LocateLibrary(const std::u16string& programDir);

// The same for another file of ours that lives beside the library; `what`
// names it in the diagnostic log.
FilePlace LocateOwnFile(const std::u16string& programDir, const std::filesystem::path& fileName, const char* what);
