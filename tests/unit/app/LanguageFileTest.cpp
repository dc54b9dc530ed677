#include <gtest/gtest.h>

#include <string>

#include "app/UiText.h"
#include "base/IniFile.h"
#include "ui/SkinStyle.h"

namespace {

constexpr int kMacroArea = 5888;
// Label texts 0-6, 8 and 34-50, ten function names, five button names,
// sixteen step texts, two menu items, eight tips and nineteen messages.
constexpr int kTextsInACompleteFile = 25 + 10 + 5 + 16 + 2 + 8 + 19;

IniFile German() { return IniFile::Load(std::string(VANTOR_SOURCE_DIR) + "/tests/unit/app/data/deutsch.ini"); }

}  // namespace

TEST(LanguageFile, GermanFileReplacesEveryText) {
  const UiText texts = LoadUiText(German(), kMacroArea);
  EXPECT_EQ(texts.replacedTexts, kTextsInACompleteFile);
  EXPECT_EQ(texts.tooltipExtraWidth, 4);
  EXPECT_EQ(texts.labels[1].text, u"Profil-\r\nanzeige");
  EXPECT_EQ(texts.labels[kSlotMemoryTotal].text, u"Speicher\r\n5888 Byte");
  EXPECT_EQ(texts.versionLabel.text, u"Version 2.04");
  EXPECT_EQ(texts.functionNames[5], u"Abhebeh\u00f6he");
  EXPECT_EQ(texts.mouseButtonNames[4], u"T5");
  EXPECT_EQ(texts.trayMenuTexts[1], u"Beenden");
  EXPECT_EQ(texts.messageTexts[18], u"Gruppe '%s' entfernen?\r\nAlle Eintr\u00e4ge kommen in den Ordner 'Ohne Gruppe'");
  EXPECT_EQ(FormatMemoryShare(texts.labels[kSlotMemoryFree].text, 2944, kMacroArea), u"Frei 50.0%\r\n2944 Byte");
}

TEST(LanguageFile, GermanFileCaptionsTheButtonsAndTabs) {
  const SkinStyle style = LoadSkinStyle(German());
  EXPECT_EQ(style.buttons[kStyleRecord].caption, u"Aufnahme");
  EXPECT_EQ(style.buttons[kStyleRecord].alternateCaption, u"Stopp");
  EXPECT_EQ(style.buttons[kStyleRestore].caption, u"Zur\u00fcck");
  EXPECT_EQ(style.tabs[1].caption, u"DPI & Werkzeuge");
}
