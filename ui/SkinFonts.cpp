#include "ui/SkinFonts.h"

#include <string>

namespace {

// Beyond this a size is a typing slip; GDI+ would build an unusable font.
constexpr int kLargestFontPixels = 200;

}  // namespace

SkinFontSpecs BuiltInSkinFonts() {
  return {{
      {u"Arial Unicode MS", 15, 0},
      {u"Arial Unicode MS", 15, 0},
      {u"Tahoma", 14, 0},
      {u"Arial Black", 16, 0},
      {u"Tahoma", 11, 0},
      {u"Arial Unicode MS", 14, 0},
      {u"Arial Unicode MS", 12, 0},
      // Spelled so on purpose: it names no installed family, so the font
      // comes from the fallback chain.
      {u"Currier New", 10, 0},
      {u"Arial Black", 16, 0},
      {u"Arial Unicode MS", 14, 0},
      {u"Arial Unicode MS", 14, 0},
      {u"Arial Unicode MS", 14, 0},
      {u"Arial Unicode MS", 11, 0},
  }};
}

SkinFontSpecs LoadSkinFonts(const IniSource& ini) {
  SkinFontSpecs fonts = BuiltInSkinFonts();
  for (int n = 0; n < kReplaceableFontCount; ++n) {
    const std::u16string section = u"FONT " + std::u16string(1, static_cast<char16_t>(u'0' + n));
    const std::optional<std::u16string> face = ini.ReadText(section, u"font_face");
    if (!face) continue;
    const std::optional<int> size = ini.ReadNumber(section, u"size");
    const std::optional<int> style = ini.ReadNumber(section, u"style");
    if (!size || !style) continue;
    if (*size < 1 || *size > kLargestFontPixels) continue;
    if (*style < 0 || *style > (kFontBold | kFontItalic | kFontUnderline | kFontStrikeout)) continue;
    fonts[static_cast<size_t>(n)] = FontSpec{*face, static_cast<float>(*size), *style};
  }
  return fonts;
}

EditFontSpec EditControlFont(const std::u16string& family) {
  EditFontSpec wanted;
  wanted.face = family;
  return wanted;
}
