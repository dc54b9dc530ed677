#include <gtest/gtest.h>

#include "base/IniFile.h"
#include "ui/SkinStyle.h"

namespace {

SkinStyle LoadFrom(const std::string& iniText) { return LoadSkinStyle(IniFile::FromBytes(iniText)); }

}  // namespace

TEST(SkinStyleKeys, ReplaceCaptionsFontsAndClearType) {
  const SkinStyle style = LoadFrom(
      "[BUTTON 3]\nstr=Send\nfont_index=8\nclear_type=1\n[BUTTON 0]\nstr=Aufnahme\nstr_alt=Halt\n"
      "[BUTTON 9]\nfont_index=4\n[BUTTON 10]\nfont_index=4\nclear_type=1\n"
      "[TAB 1]\nstr=DPI & Werkzeuge\nfont_index=4\nshift=-3\n");
  EXPECT_EQ(style.buttons[kStyleExport].caption, u"Send");
  EXPECT_EQ(style.buttons[kStyleExport].font, 8);
  EXPECT_EQ(style.buttons[kStyleExport].clearType, 1);
  EXPECT_EQ(style.buttons[kStyleRecord].caption, u"Aufnahme");
  EXPECT_EQ(style.buttons[kStyleRecord].alternateCaption, u"Halt");
  EXPECT_EQ(style.buttons[kStyleList].font, 4);
  EXPECT_EQ(style.buttons[kStyleCheckBox].font, 2);
  EXPECT_EQ(style.buttons[kStyleCheckBox].clearType, 0);
  EXPECT_EQ(style.tabs[1].caption, u"DPI & Werkzeuge");
  EXPECT_EQ(style.tabs[1].font, 4);
  EXPECT_EQ(style.tabs[1].shift, -3);
}

TEST(SkinStyleKeys, RefuseFontIndicesOutsideTheThirteenFonts) {
  const SkinStyle style = LoadFrom(
      "[BUTTON 1]\nfont_index=13\n[BUTTON 9]\nfont_index=-1\n[TAB 0]\nfont_index=99\n"
      "[MACRO STRING]\nfont_index=0x20\n");
  EXPECT_EQ(style.buttons[kStyleClear].font, 0);
  EXPECT_EQ(style.buttons[kStyleList].font, 2);
  EXPECT_EQ(style.tabs[0].font, 0);
  EXPECT_EQ(style.macroStepFont, 5);
}

TEST(SkinStyleKeys, ReadTheFunctionBarColourAsRedGreenBlue) {
  EXPECT_EQ(LoadFrom("[MISC]\nfunction_bar_color=16711680\nfunction_bar_round=1\n").functionBarColor,
            (RgbColor{255, 0, 0}));
  EXPECT_EQ(LoadFrom("[MISC]\nfunction_bar_color=0x00ff80\n").functionBarColor, (RgbColor{0, 255, 128}));
  EXPECT_EQ(LoadFrom("[MISC]\nfunction_bar_color=-333\n").functionBarColor, (RgbColor{12, 32, 96}));
  EXPECT_EQ(LoadFrom("[MISC]\nfunction_bar_round=1\n").functionBarRound, 1);
}

TEST(SkinStyleKeys, CutTabCaptionsToWhatATabHolds) {
  const SkinStyle style = LoadFrom("[TAB 2]\nstr=" + std::string(100, 'm') + "\n");
  EXPECT_EQ(style.tabs[2].caption, std::u16string(kTabCaptionUnits, u'm'));
}
