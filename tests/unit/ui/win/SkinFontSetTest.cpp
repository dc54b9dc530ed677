#include <gtest/gtest.h>

#include "ui/win/EditControlFonts.h"
#include "ui/win/SkinFontSet.h"

namespace {

class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (started) Gdiplus::GdiplusShutdown(token);
  }
  bool started = false;

 private:
  ULONG_PTR token = 0;
};

}  // namespace

TEST(SkinFontSet, GivesEveryEntryAFontEvenForFacesThatAreNotInstalled) {
  GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.started);
  SkinFontSet fonts;
  SkinFontSpecs wantedFonts = BuiltInSkinFonts();
  wantedFonts[1] = FontSpec{u"No Such Family Anywhere", 18, kFontBold};
  wantedFonts[2] = FontSpec{u"", 9, 0};
  fonts.Build(wantedFonts);
  for (int i = 0; i < kSkinFontCount; ++i) {
    ASSERT_NE(fonts.Get(i), nullptr) << i;
    EXPECT_EQ(fonts.Get(i)->GetLastStatus(), Gdiplus::Ok) << i;
    EXPECT_FALSE(fonts.FamilyName(i).empty()) << i;
  }
  EXPECT_NE(fonts.FamilyName(7), L"Currier New");
  EXPECT_FLOAT_EQ(fonts.Get(1)->GetSize(), 18.0f);
  EXPECT_EQ(fonts.Get(1)->GetStyle(), kFontBold);
  EXPECT_EQ(fonts.Get(1)->GetUnit(), Gdiplus::UnitPixel);
  EXPECT_EQ(fonts.Get(kSkinFontCount), nullptr);
}

TEST(EditControlFonts, CreatesBothGdiFonts) {
  EditControlFonts fonts;
  EXPECT_EQ(fonts.Create(EditControlFont(u"Tahoma"), EditControlFont(u"No Such Family Anywhere")), 1);
  LOGFONTW logFont = {};
  ASSERT_NE(GetObjectW(fonts.NameEditorFont(), sizeof(logFont), &logFont), 0);
  EXPECT_EQ(logFont.lfHeight, -14);
  EXPECT_EQ(logFont.lfQuality, ANTIALIASED_QUALITY);
}
