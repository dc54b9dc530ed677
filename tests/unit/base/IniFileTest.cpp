#include <gtest/gtest.h>

#include <string>

#include "base/IniFile.h"
#include "base/Utf16.h"
#include "tests/unit/base/IniAgreementCases.h"

namespace {

std::string DataPath(const char* file) { return std::string(VANTOR_SOURCE_DIR) + "/tests/unit/base/data/" + file; }

// Bytes of a literal that holds NULs, without its terminator.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

}  // namespace

TEST(IniFile, AnswersLikeTheWindowsProfileFunctionsForEveryFixture) {
  for (const IniAgreementCase& c : IniAgreementCases()) {
    const IniFile ini = IniFile::Load(DataPath(c.file));
    SCOPED_TRACE(std::string(c.file) + " [" + text::ToUtf8(c.section) + "] " + text::ToUtf8(c.key));
    if (c.number) {
      EXPECT_EQ(ini.ReadInt(c.section, c.key, kIniAbsentNumber), c.expectedNumber);
    } else {
      EXPECT_EQ(ini.ReadString(c.section, c.key, c.fallback), c.expectedText);
    }
  }
}

TEST(IniFile, TreatsAFolderOrAnEmptyNameAsAFileWithoutKeys) {
  const IniFile folder = IniFile::Load(std::string(VANTOR_SOURCE_DIR) + "/tests/unit/base/data/");
  EXPECT_EQ(folder.ReadString(u"MISC", u"shift", kIniAbsentText), kIniAbsentText);
  EXPECT_EQ(folder.ReadInt(u"MISC", u"shift", kIniAbsentNumber), kIniAbsentNumber);
  EXPECT_FALSE(IniFile::Load("").ReadText(u"MISC", u"shift").has_value());
}

TEST(IniFile, ReportsAbsentKeysThroughTheAgreedDefaults) {
  const IniFile ini = IniFile::FromBytes("[S]\r\ntext=@_NOSTR_\r\nnumber=-333\r\nzero=0\r\nblank=\r\n");
  EXPECT_FALSE(ini.ReadText(u"S", u"text").has_value());
  EXPECT_FALSE(ini.ReadNumber(u"S", u"number").has_value());
  EXPECT_EQ(ini.ReadNumber(u"S", u"zero"), 0);
  EXPECT_EQ(ini.ReadText(u"S", u"blank"), u"");
  EXPECT_FALSE(ini.ReadNumber(u"S", u"blank").has_value());
}

TEST(IniFile, KnowsWhichSectionsItHasAsItsLookupsFindThem) {
  const IniFile ini = IniFile::FromBytes("[ Message ]\r\nstr0=x\r\n[STRING 4]\r\n");
  EXPECT_TRUE(ini.MayHaveSection(u"MESSAGE"));
  EXPECT_TRUE(ini.MayHaveSection(u" string 4 "));
  EXPECT_FALSE(ini.MayHaveSection(u"STRING 40"));
  EXPECT_FALSE(IniFile().MayHaveSection(u"MESSAGE"));
}

TEST(IniFile, ReadsByteOrderMarkedUtf8AndBigEndianFiles) {
  EXPECT_EQ(IniFile::FromBytes("\xEF\xBB\xBF[S]\nk=\xE8\xA8\xAD\n").ReadString(u"S", u"k", u""), u"\u8a2d");
  const std::string bigEndian = Bytes("\xFE\xFF\0[\0S\0]\0\n\0k\0=\x8a\x2d");
  EXPECT_EQ(IniFile::FromBytes(bigEndian).ReadString(u"S", u"k", u""), u"\u8a2d");
}

// Broken and cut files are the damaged-file harness's; these are the endings it does not read back.
TEST(IniFile, EndsAValueAtANulAndALineAtACarriageReturnAlone) {
  EXPECT_EQ(IniFile::FromBytes(Bytes("[S]\nk=ab\0cd\n")).ReadString(u"S", u"k", u""), u"ab");
  EXPECT_EQ(IniFile::FromBytes("[S]\rk=v").ReadString(u"S", u"k", u""), u"v");
}
