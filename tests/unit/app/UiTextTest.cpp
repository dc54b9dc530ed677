#include <gtest/gtest.h>

#include <string>

#include "app/IniPath.h"
#include "app/UiText.h"
#include "base/IniFile.h"
#include "base/Utf16.h"

namespace {

constexpr int kMacroArea = 5888;

UiText LoadFrom(const std::string& iniText) { return LoadUiText(IniFile::FromBytes(iniText), kMacroArea); }

}  // namespace

TEST(UiTextStringSections, ReplaceTextPositionColourShadowAndFont) {
  const UiText texts = LoadFrom(
      "[STRING 3]\r\nstr=Aufl\xf6sung\r\nx=60\r\ny=150\r\ncolor=255\r\nshadow=1\r\nfont_index=4\r\n"
      "[STRING 60]\r\nstr=Extra\r\nclear_type=1\r\ncolor=-1\r\n"
      "[STRING 1]\r\nstr=Profil\\r\\nAnzeige \\n bleibt\r\n");
  // Only the four-character escape becomes a line break.
  EXPECT_EQ(texts.labels[1].text, u"Profil\r\nAnzeige \\n bleibt");
  const LabelSlot& dpi = texts.labels[3];
  EXPECT_EQ(dpi.text, u"Aufl\u00f6sung");
  EXPECT_EQ(dpi.x, 60);
  EXPECT_EQ(dpi.y, 150);
  EXPECT_EQ(dpi.color, 255u);
  EXPECT_EQ(dpi.shadow, 1);
  EXPECT_EQ(dpi.font, 4);
  EXPECT_EQ(texts.labels[60].text, u"Extra");
  EXPECT_EQ(texts.labels[60].visible, 0);
  EXPECT_EQ(texts.labels[60].clearType, 1);
  EXPECT_EQ(texts.labels[60].color, 0xFFFFFFu);  // only the colour bytes are kept
}

TEST(UiTextStringSections, MoveALabelOnlyWithBothCoordinatesAndATextButTakeClearTypeAlways) {
  const UiText texts = LoadFrom("[STRING 2]\nx=10\ny=20\ncolor=1\nclear_type=1\n[STRING 3]\nstr=DPI\ny=20\n");
  EXPECT_EQ(texts.labels[2].text, u"dpi indicator");
  EXPECT_EQ(texts.labels[2].x, 452);
  EXPECT_EQ(texts.labels[2].color, 0xFFFFFFu);
  EXPECT_EQ(texts.labels[2].clearType, 1);
  EXPECT_EQ(texts.labels[3].x, 53);
  EXPECT_EQ(texts.labels[3].y, 152);
}

TEST(UiTextStringSections, KeepForcedRowsWhateverTheFileSays) {
  const UiText texts = LoadFrom(
      "[STRING 0]\nstr=Profil\nx=300\ny=200\n[STRING 42]\nstr=L\nx=1\ny=2\n"
      "[STRING 43]\nstr=E\nx=1\ny=2\n[STRING 48]\nstr=Version\nx=600\ny=3\n");
  EXPECT_EQ(texts.labels[0].x, 300);
  EXPECT_EQ(texts.labels[0].y, 110);
  EXPECT_EQ(texts.labels[42].y, 110);
  EXPECT_EQ(texts.labels[43].y, 110);
  EXPECT_EQ(texts.labels[48].y, 574);
  EXPECT_EQ(texts.versionLabel.text, u"Version 2.04");
}

TEST(UiTextStringSections, RejectFontIndexesPastTheThirteenFontsAndCutOverlongTexts) {
  const std::string longText(600, 'x');
  UiText texts = LoadFrom("[STRING 3]\nstr=a\nfont_index=13\n[STRING 4]\nstr=b\nfont_index=-1\n"
                          "[STRING 5]\nstr=c\nfont_index=12\n[STRING 6]\nstr=" + longText + "\n");
  EXPECT_EQ(texts.labels[3].font, 3);
  EXPECT_EQ(texts.labels[4].font, 3);
  EXPECT_EQ(texts.labels[5].font, 12);
  EXPECT_EQ(texts.labels[6].text, std::u16string(kLabelTextUnits, u'x'));
  // A pair of surrogates is never split.
  std::string pairs;
  for (int i = 0; i < 200; ++i) pairs += "\xF0\x9F\x96\xB1";
  texts = LoadFrom("\xEF\xBB\xBF[STRING 6]\nstr=" + pairs + "\n");
  EXPECT_EQ(texts.labels[6].text.size(), kLabelTextUnits - 1);
  EXPECT_EQ(texts.labels[6].text.back(), char16_t(0xDDB1));
}

TEST(UiTextStringSections, RenamingTheUngroupedFolderChangesMessageEighteen) {
  UiText texts = LoadFrom("[STRING 37]\nstr=Ohne Gruppe\n");
  EXPECT_EQ(texts.messageTexts[18], u"Remove the group '%s' ?\r\nAll child items will be move to 'Ohne Gruppe' folder");
  texts = LoadFrom("[STRING 37]\nstr=Ohne Gruppe\n[MESSAGE]\nstr18=Gruppe '%s' entfernen?\n");
  EXPECT_EQ(texts.messageTexts[18], u"Gruppe '%s' entfernen?");
  // A folder name with percent signs shows them as typed.
  texts = LoadFrom("[STRING 37]\nstr=100%s\n");
  EXPECT_EQ(FormatNamedMessage(texts.messageTexts[18], u"Games"),
            u"Remove the group 'Games' ?\r\nAll child items will be move to '100%s' folder");
}

TEST(UiTextSections, ReplaceNamesStepsTipsMenuAndMessages) {
  const UiText texts = LoadFrom(
      "[MISC]\nshift=12\n"
      "[FUNCTION LIST]\nstr0=Linksklick\nstr10=never\nfont_index0=9\nfont_index1=40\n"
      "[MACRO STRING]\nstr_inst_lb=Links\nstr_inst5=Warte %d ms\nstr_inst17=never\n"
      "[TIP STRING]\nstr7=Neuer Tipp\nstr1=line\\nkept\n"
      "[MENU]\nstr0=\xd6" "ffnen\nstr1=Beenden\n"
      "[MESSAGE]\nstr0=Fertig\\r\\nnow\nstr19=Neu\\nZeile\n");
  EXPECT_EQ(texts.tooltipExtraWidth, 12);
  EXPECT_EQ(texts.functionNames[0], u"Linksklick");
  EXPECT_EQ(texts.functionNames[10], u"DPI +");
  EXPECT_EQ(texts.functionNameFonts[0], 9);
  EXPECT_EQ(texts.functionNameFonts[1], 0);
  EXPECT_EQ(texts.mouseButtonNames[0], u"Links");
  EXPECT_EQ(texts.mouseButtonNames[1], u"Right");
  EXPECT_EQ(texts.macroStepTexts[5], u"Warte %d ms");
  EXPECT_TRUE(texts.macroStepTexts[17].empty());
  EXPECT_EQ(texts.tooltipTexts[7], u"Neuer Tipp");
  EXPECT_EQ(texts.tooltipTexts[1], u"line\\nkept");
  EXPECT_EQ(texts.trayMenuTexts[0], u"\u00d6ffnen");
  EXPECT_EQ(texts.trayMenuTexts[1], u"Beenden");
  EXPECT_EQ(texts.messageTexts[0], u"Fertig\r\nnow");
  EXPECT_EQ(texts.messageTexts[19], u"Neu\nZeile");
}

TEST(UiTextTemplates, HostileTemplatesFromTheFileAreShownNotObeyed) {
  const UiText texts = LoadFrom(
      "[STRING 39]\nstr=%s%s%n%99999d\n[STRING 4]\nstr=X:%s%n\n[MESSAGE]\nstr7=%n%s%s%d\n");
  EXPECT_EQ(texts.labels[kSlotMemoryTotal].text, u"%s%s%n%99999d");
  EXPECT_EQ(FormatDpiLabel(texts.dpiTemplateX, 800), u"X:%s%n");
  EXPECT_EQ(FormatNamedMessage(texts.messageTexts[7], u"m"), u"%nm%s%d");
}

TEST(UiTextTemplates, FormatTheMemoryAndSizeLabelsWithTheTotalFilledFromTheMacroArea) {
  const UiText texts = LoadUiText(IniFile(), kMacroArea);
  EXPECT_EQ(texts.labels[kSlotMemoryTotal].text, u"Memory\r\n5888 Byte");
  EXPECT_EQ(FormatMemoryShare(texts.labels[kSlotMemoryUsed].text, 0, kMacroArea), u"Used 0.0%\r\n0 Byte");
  EXPECT_EQ(FormatMemoryShare(texts.labels[kSlotMemoryFree].text, kMacroArea, kMacroArea),
            u"Free 100.0%\r\n5888 Byte");
  EXPECT_EQ(FormatMemoryShare(texts.labels[kSlotMemoryUsed].text, 1000, kMacroArea), u"Used 17.0%\r\n1000 Byte");
  EXPECT_EQ(FormatEditorSize(texts.labels[kSlotEditorSize].text, 5), u"size:    5 Byte");
  EXPECT_EQ(FormatDpiLabel(texts.dpiTemplateY, 1600), u"Y:1600");
}

TEST(UiTextLanguageFile, AnEmptyLanguageValueNamesTheFolderAndGivesTheDefaults) {
  const std::u16string folder = text::FromUtf8(std::string(VANTOR_SOURCE_DIR) + "/tests/unit/base/data/");
  const std::u16string path = LanguageIniPath(folder, u"");
  EXPECT_EQ(path, folder);
  const UiText texts = LoadUiText(IniFile::Load(text::ToUtf8(path)), kMacroArea);
  EXPECT_EQ(texts.labels[0].text, u"Profile");
  EXPECT_EQ(LanguageIniPath(u"C:\\Program\\", u"deutsch.ini"), u"C:\\Program\\deutsch.ini");
}
