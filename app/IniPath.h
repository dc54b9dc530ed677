#pragma once
// Where the language INI file lives: the file named by the registry value
// "Language", in the program's folder. With no value the path names the
// folder itself, every read fails and the built-in defaults apply.
//
// The file is only ever read. Its sections, by reader:
//   "MISC" "shift", "STRING n", "FUNCTION LIST", "MACRO STRING", "TIP STRING",
//   "MENU", "MESSAGE"                      -> app/UiText
//   "FONT 0".."FONT 9"                      -> ui/SkinFonts
//   "BUTTON n", "TAB n", "MISC" function bar,
//   "MACRO STRING" "font_index"             -> ui/SkinStyle
// "macro.dat" lives in the same folder while it takes writes (app/LibraryPlace).
#include <string>

std::u16string LanguageIniPath(const std::u16string& programDir, const std::u16string& languageFile);
