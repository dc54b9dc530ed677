#include <gtest/gtest.h>

#include <algorithm>

#include "base/IniFile.h"
#include "ui/SkinLayout.h"

namespace {

SkinLayout LayoutFrom(const std::string& iniText) {
  return BuildSkinLayout(LoadSkinStyle(IniFile::FromBytes(iniText)));
}

RectI RectOf(const SkinLayout& layout, int id) {
  const ControlPlacement* placement = FindControl(layout, id);
  EXPECT_NE(placement, nullptr) << id;
  return placement ? placement->rect : RectI{};
}

bool Contains(const std::vector<int>& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

}  // namespace

TEST(SkinLayoutPlacement, SizesControlsByTheirImagesAndLinesUpTheEditorButtons) {
  const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
  EXPECT_EQ(RectOf(layout, kControlExport), (RectI{675, 466, 100, 30}));
  EXPECT_EQ(RectOf(layout, kControlImport), (RectI{575, 466, 100, 30}));
  EXPECT_EQ(RectOf(layout, kControlClear), (RectI{475, 466, 100, 30}));
  EXPECT_EQ(RectOf(layout, kControlClose), (RectI{752, 26, 31, 32}));
  EXPECT_EQ(RectOf(layout, kControlTieBox), (RectI{400, 273, 43, 57}));
  // A 15-pixel arrow rounds down to 14, plus the rim.
  EXPECT_EQ(RectOf(layout, kFunctionListIds[11]), (RectI{345, 559, 160, 18}));
  EXPECT_EQ(RectOf(layout, kControlSliderY), (RectI{110, 311, 288, 30}));
  EXPECT_TRUE(FindControl(layout, kControlMacroList)->keepsTemplateRect);
  EXPECT_EQ(ScrollBarBeside({20, 150, 250, 160}), (RectI{280, 150, 20, 161}));
}

TEST(SkinLayoutPlacement, TakesCaptionsAndFontsFromTheLanguageFileButKeepsGeometry) {
  const SkinLayout layout =
      LayoutFrom("[BUTTON 3]\nstr=Send\n[BUTTON 0]\nstr=Rec\n[TAB 1]\nfont_index=4\nshift=2\n[BUTTON 10]\nfont_index=4\n");
  const ControlPlacement& exportButton = *FindControl(layout, kControlExport);
  EXPECT_EQ(exportButton.caption, u"Send");
  EXPECT_EQ(exportButton.style, kStyleExport);
  EXPECT_EQ(exportButton.rect, (RectI{675, 466, 100, 30}));
  // The diagnostic button shares record 0's look but not the Record caption.
  EXPECT_EQ(FindControl(layout, kControlRecord)->caption, u"Rec");
  EXPECT_TRUE(FindControl(layout, kControlEnable)->caption.empty());
  EXPECT_FALSE(FindControl(layout, kControlClose)->drawCaption);
  EXPECT_EQ(layout.style.buttons[kStyleCheckBox].font, 2);
  EXPECT_EQ(layout.tabs[1].font, 4);
  EXPECT_EQ(layout.tabs[1].shift, 2);
  EXPECT_EQ(layout.tabs[2].rect, (RectI{383, 70, 166, 33}));
}

TEST(SkinLayoutPlacement, SizesTheWindowAndCentresTheProgressPanel) {
  EXPECT_EQ(WindowRect(false), (RectI{0, 0, 802, 614}));
  EXPECT_EQ(WindowRect(true), (RectI{0, 0, 0, 0}));
  EXPECT_EQ(ProgressPanelRect(), (RectI{251, 237, 300, 140}));
  EXPECT_EQ(ProgressRepaintRect(), (RectI{251, 237, 301, 141}));
}

TEST(SkinLayoutProfiles, NameTheFirstFiveRowsAfterTheMouseAndNumberTheRest) {
  const std::array<std::u16string, 5> reported = {u"Work", u"", u"Games", u"", u""};
  EXPECT_EQ(ProfileRowName(0, reported), u"Work");
  EXPECT_EQ(ProfileRowName(1, reported), u"");
  EXPECT_EQ(ProfileRowName(5, reported), u"profile 6");
  EXPECT_EQ(ProfileRowName(6, reported), u"profile 7");
  EXPECT_EQ(ProfileNameRows()[6].textY, 391);
}

TEST(SkinLayoutPages, ShowEachControlOnOnePageAndHideEveryOneOnASwitch) {
  const std::vector<int>& all = AllPageControls();
  for (int page = 0; page < kPageCount; ++page) {
    ASSERT_FALSE(PageControls(page).empty());
    for (int id : PageControls(page)) {
      EXPECT_TRUE(Contains(all, id)) << id;
      for (int other = page + 1; other < kPageCount; ++other) EXPECT_FALSE(Contains(PageControls(other), id)) << id;
    }
  }
  EXPECT_TRUE(Contains(PageControls(0), kFunctionListIds[11]));
  EXPECT_TRUE(Contains(PageControls(1), kControlTieBox));
  EXPECT_TRUE(Contains(PageControls(2), kControlImport));
  EXPECT_TRUE(Contains(all, kControlMacroScroll));
  EXPECT_FALSE(Contains(all, kControlClose));
}
