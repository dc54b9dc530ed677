#pragma once
// The folder of the program file, with a trailing backslash: the INI file and
// "macro.dat" live there.
#include <string>

std::u16string ProgramDirFromModulePath(const std::u16string& modulePath);
