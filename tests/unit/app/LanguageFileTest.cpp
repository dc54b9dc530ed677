#include <gtest/gtest.h>

#include <string>

#include "app/UiText.h"
#include "base/IniFile.h"
#include "tests/unit/app/UiTextEqual.h"
#include "ui/SkinFonts.h"
#include "ui/SkinStyle.h"

namespace {

constexpr int kMacroArea = 5888;
// Label texts 0-6, 8 and 34-50, ten function names, five button names,
// sixteen step texts, two menu items, eight tips and nineteen messages.
constexpr int kTextsInACompleteFile = 25 + 10 + 5 + 16 + 2 + 8 + 19;

IniFile LanguageFile(const char* name) {
  return IniFile::Load(std::string(VANTOR_SOURCE_DIR) + "/res/lang/" + name);
}

IniFile German() { return LanguageFile("deutsch.ini"); }

}  // namespace

TEST(LanguageFile, GermanFileReplacesEveryTextAndCaption) {
  const UiText texts = LoadUiText(German(), kMacroArea);
  EXPECT_EQ(texts.replacedTexts, kTextsInACompleteFile);
  EXPECT_EQ(texts.labels[1].text, u"Profil-\r\nanzeige");
  EXPECT_EQ(texts.functionNames[5], u"Abhebeh\u00f6he");
  EXPECT_EQ(texts.messageTexts[18], u"Gruppe '%s' entfernen?\r\nAlle Eintr\u00e4ge kommen in den Ordner 'Ohne Gruppe'");

  const SkinStyle style = LoadSkinStyle(German());
  EXPECT_EQ(style.buttons[kStyleRecord].caption, u"Aufnahme");
  EXPECT_EQ(style.buttons[kStyleRecord].alternateCaption, u"Stopp");
  EXPECT_EQ(style.tabs[1].caption, u"DPI & Werkzeuge");
}

TEST(LanguageFile, EnglishFileListsEveryKeyWithItsBuiltInValue) {
  const IniFile english = LanguageFile("english.ini");
  UiText loaded = LoadUiText(english, kMacroArea);
  EXPECT_EQ(loaded.replacedTexts, kTextsInACompleteFile);
  loaded.replacedTexts = 0;
  ExpectSameUiText(loaded, LoadUiText(IniFile(), kMacroArea));

  const SkinStyle style = LoadSkinStyle(english);
  const SkinStyle builtIn = BuiltInSkinStyle();
  for (int i = 0; i < kButtonStyleCount; ++i) {
    const size_t at = static_cast<size_t>(i);
    EXPECT_EQ(style.buttons[at].caption, builtIn.buttons[at].caption) << i;
    EXPECT_EQ(style.buttons[at].font, builtIn.buttons[at].font) << i;
  }
  EXPECT_EQ(style.buttons[kStyleRecord].alternateCaption, u"Stop");
  EXPECT_EQ(style.tabs[2].caption, u"Macro settings");
  EXPECT_EQ(style.functionBarColor, builtIn.functionBarColor);

  const SkinFontSpecs fonts = LoadSkinFonts(english);
  for (int i = 0; i < kSkinFontCount; ++i) {
    EXPECT_EQ(fonts[static_cast<size_t>(i)].face, BuiltInSkinFonts()[static_cast<size_t>(i)].face) << i;
    EXPECT_EQ(fonts[static_cast<size_t>(i)].pixelSize, BuiltInSkinFonts()[static_cast<size_t>(i)].pixelSize) << i;
  }
}

TEST(LanguageFile, TraditionalChineseFileReplacesEveryText) {
  const IniFile chinese = LanguageFile("chinese-traditional.ini");
  const UiText texts = LoadUiText(chinese, kMacroArea);
  EXPECT_EQ(texts.replacedTexts, kTextsInACompleteFile);
  EXPECT_EQ(texts.labels[0].text, u"\u8a2d\u5b9a\u6a94");
  EXPECT_EQ(texts.trayMenuTexts[1], u"\u7d50\u675f");
  EXPECT_EQ(FormatNamedMessage(texts.messageTexts[7], u"A"), u"\u8981\u79fb\u9664\u5de8\u96c6\u300cA\u300d\u55ce\uff1f");
  EXPECT_EQ(LoadSkinStyle(chinese).tabs[0].caption, u"\u6309\u9375\u8a2d\u5b9a");
}
