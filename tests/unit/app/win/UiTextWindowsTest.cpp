#include <gtest/gtest.h>

#include <string>

#include "app/UiText.h"
#include "base/IniFile.h"
#include "base/win/PrivateProfileIni.h"
#include "support/WinePath.h"
#include "tests/unit/app/UiTextEqual.h"

TEST(UiTextThroughWindows, LoadsTheSameTableAsThePortableReader) {
  for (const char* file : {"/res/lang/deutsch.ini", "/res/lang/english.ini",
                           "/res/lang/chinese-traditional.ini", "/tests/unit/base/data/rules-8bit.ini",
                           "/tests/unit/base/data/unicode-utf16le.ini", "/res/lang/"}) {
    SCOPED_TRACE(file);
    const std::string path = std::string(VANTOR_SOURCE_DIR) + file;
    const UiText portable = LoadUiText(IniFile::Load(path), 5888);
    const UiText windows = LoadUiText(PrivateProfileIni(WinePath(path)), 5888);
    ExpectSameUiText(portable, windows);
  }
}
