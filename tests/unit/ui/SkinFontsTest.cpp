#include <gtest/gtest.h>

#include "base/IniFile.h"
#include "ui/SkinFonts.h"

namespace {

SkinFontSpecs LoadFrom(const std::string& iniText) { return LoadSkinFonts(IniFile::FromBytes(iniText)); }

bool SameFont(const FontSpec& a, const FontSpec& b) {
  return a.face == b.face && a.pixelSize == b.pixelSize && a.style == b.style;
}

}  // namespace

TEST(SkinFonts, FontSectionReplacesAnEntryOnlyWithFaceSizeAndStyle) {
  const SkinFontSpecs fonts = LoadFrom(
      "[FONT 0]\nfont_face=DejaVu Sans\nsize=18\nstyle=3\n"
      "[FONT 3]\nfont_face=Liberation Sans\nsize=12\n"
      "[FONT 4]\nsize=12\nstyle=1\n"
      "[FONT 9]\nfont_face=\"Noto Sans CJK TC\"\nsize=13\nstyle=0\n");
  EXPECT_TRUE(SameFont(fonts[0], {u"DejaVu Sans", 18, kFontBold | kFontItalic}));
  EXPECT_TRUE(SameFont(fonts[3], {u"Arial Black", 16, 0}));
  EXPECT_TRUE(SameFont(fonts[4], {u"Tahoma", 11, 0}));
  EXPECT_TRUE(SameFont(fonts[9], {u"Noto Sans CJK TC", 13, 0}));
}

TEST(SkinFonts, UnusableSizesStylesAndSectionsPastNineKeepTheBuiltInFont) {
  const SkinFontSpecs fonts = LoadFrom(
      "[FONT 1]\nfont_face=X\nsize=0\nstyle=0\n[FONT 2]\nfont_face=X\nsize=-12\nstyle=0\n"
      "[FONT 5]\nfont_face=X\nsize=14\nstyle=16\n[FONT 6]\nfont_face=X\nsize=100000\nstyle=0\n"
      "[FONT 10]\nfont_face=X\nsize=20\nstyle=0\n[FONT 12]\nfont_face=X\nsize=20\nstyle=0\n");
  for (std::size_t n : {1, 2, 5, 6, 10, 12}) EXPECT_TRUE(SameFont(fonts[n], BuiltInSkinFonts()[n])) << n;
}

TEST(SkinFonts, EditControlFontTakesTheFaceAtFourteenPixels) {
  const EditFontSpec edit = EditControlFont(BuiltInSkinFonts()[5].face);
  EXPECT_EQ(edit.face, u"Arial Unicode MS");
  EXPECT_EQ(edit.height, -14);
  EXPECT_EQ(edit.quality, 4);
}
