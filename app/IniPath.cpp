#include "app/IniPath.h"

std::u16string LanguageIniPath(const std::u16string& programDir, const std::u16string& languageFile) {
  return programDir + languageFile;
}
