#include <gtest/gtest.h>

#include <string>

#include "base/Utf16.h"
#include "base/win/PrivateProfileIni.h"
#include "tests/unit/base/IniAgreementCases.h"

namespace {

// The sources sit on the Linux side; Wine shows the root file system as Z:.
std::wstring DataPath(const char* file) {
  std::wstring path = L"Z:";
  for (const char* p = VANTOR_SOURCE_DIR "/tests/unit/base/data/"; *p != '\0'; ++p) {
    path += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
  }
  for (const char* p = file; *p != '\0'; ++p) path += static_cast<wchar_t>(*p);
  return path;
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
