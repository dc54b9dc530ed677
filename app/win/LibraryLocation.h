#pragma once
// Finds where this run reads and saves "macro.dat": the user's folder is
// "%APPDATA%\Wendral Mouse", the program's folder is tried with a write.
#include <string>

#include "app/LibraryPlace.h"

LibraryPlace LocateLibrary(const std::u16string& programDir);
