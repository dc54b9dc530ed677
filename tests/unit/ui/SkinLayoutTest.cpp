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
  const RectI exportButton = RectOf(layout, kControlExport);
  const RectI import = RectOf(layout, kControlImport);
  const RectI clear = RectOf(layout, kControlClear);
  EXPECT_EQ(import.x + import.width, exportButton.x);
  EXPECT_EQ(clear.x + clear.width, import.x);
  // A 15-pixel arrow rounds down to 14, plus the rim.
  EXPECT_EQ(RectOf(layout, kFunctionListIds[11]).height, 18);
  EXPECT_TRUE(FindControl(layout, kControlMacroList)->keepsTemplateRect);
  EXPECT_EQ(ScrollBarBeside({20, 150, 250, 160}), (RectI{280, 150, 20, 161}));
  EXPECT_EQ(WindowRect(true), (RectI{0, 0, 0, 0}));
}

TEST(SkinLayoutPlacement, TakesCaptionsAndFontsFromTheLanguageFileButKeepsGeometry) {
  const SkinLayout layout =
      LayoutFrom("[BUTTON 3]\nstr=Send\n[BUTTON 0]\nstr=Rec\n[TAB 1]\nfont_index=4\nshift=2\n[BUTTON 10]\nfont_index=4\n");
  const ControlPlacement& exportButton = *FindControl(layout, kControlExport);
  EXPECT_EQ(exportButton.caption, u"Send");
  EXPECT_EQ(exportButton.rect, RectOf(BuildSkinLayout(BuiltInSkinStyle()), kControlExport));
  // The diagnostic button shares record 0's look but not the Record caption.
  EXPECT_EQ(FindControl(layout, kControlRecord)->caption, u"Rec");
  EXPECT_TRUE(FindControl(layout, kControlEnable)->caption.empty());
  EXPECT_FALSE(FindControl(layout, kControlClose)->drawCaption);
  EXPECT_EQ(layout.style.buttons[kStyleCheckBox].font, 2);
  EXPECT_EQ(layout.tabs[1].font, 4);
  EXPECT_EQ(layout.tabs[1].shift, 2);
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
  EXPECT_TRUE(Contains(all, kControlEnable));
  EXPECT_FALSE(Contains(all, kControlClose));
}
