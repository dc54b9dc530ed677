#pragma once
// The folder of the program file, with a trailing backslash: the INI files
// live there, and "macro.dat" while the folder takes writes (app/LibraryPlace).
#include <string>

std::u16string ProgramDirFromModulePath(const std::u16string& modulePath);
