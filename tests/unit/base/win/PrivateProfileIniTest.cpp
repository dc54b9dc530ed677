#include <gtest/gtest.h>

#include <string>

#include "base/Utf16.h"
#include "base/win/PrivateProfileIni.h"
#include "support/WinePath.h"
#include "tests/unit/base/IniAgreementCases.h"

namespace {

std::wstring DataPath(const char* file) {
  return WinePath(std::string(VANTOR_SOURCE_DIR) + "/tests/unit/base/data/" + file);
}

}  // namespace

TEST(PrivateProfileIni, AnswersAsTheAgreementTableSaysForEveryFixture) {
  for (const IniAgreementCase& c : IniAgreementCases()) {
    const PrivateProfileIni ini(DataPath(c.file));
    SCOPED_TRACE(std::string(c.file) + " [" + text::ToUtf8(c.section) + "] " + text::ToUtf8(c.key));
    if (c.number) {
      EXPECT_EQ(ini.ReadInt(c.section, c.key, kIniAbsentNumber), c.expectedNumber);
    } else {
      EXPECT_EQ(ini.ReadString(c.section, c.key, c.fallback), c.expectedText);
    }
  }
}

TEST(PrivateProfileIni, ReturnsEveryDefaultWhenThePathNamesAFolder) {
  const PrivateProfileIni folder(DataPath(""));
  EXPECT_EQ(folder.ReadString(u"MISC", u"shift", kIniAbsentText), kIniAbsentText);
  EXPECT_EQ(folder.ReadInt(u"MISC", u"shift", kIniAbsentNumber), kIniAbsentNumber);
}
