#pragma once
// The thirteen fonts every painter draws with: what each one is built from
// and how the language file may replace the first ten. The Windows side
// turns these specifications into GDI+ fonts (ui/win/SkinFontSet).
#include <array>
#include <string>

#include "base/IniSource.h"

inline constexpr int kSkinFontCount = 13;
// "FONT 0" to "FONT 9" may replace a font; 10 to 12 are fixed.
inline constexpr int kReplaceableFontCount = 10;

// GDI+ style bits.
inline constexpr int kFontBold = 1;
inline constexpr int kFontItalic = 2;
inline constexpr int kFontUnderline = 4;
inline constexpr int kFontStrikeout = 8;

struct FontSpec {
  std::u16string face;
  float pixelSize = 0;
  int style = 0;
};

using SkinFontSpecs = std::array<FontSpec, kSkinFontCount>;

// True for an index that names one of the thirteen fonts.
inline bool IsSkinFontIndex(int index) { return index >= 0 && index < kSkinFontCount; }

SkinFontSpecs BuiltInSkinFonts();

// The built-in fonts with the "FONT n" sections applied: an entry is replaced
// only when "font_face", "size" and "style" are all present, the size is a
// usable pixel size and the style holds only the four style bits.
SkinFontSpecs LoadSkinFonts(const IniSource& ini);

// What a GDI font for the standard edit controls is made of: the family of a
// skin font as actually created (after any fallback) at a fixed 14-pixel
// character height, antialiased.
struct EditFontSpec {
  std::u16string face;
  int height = -14;
  int quality = 4;  // ANTIALIASED_QUALITY
  int charSet = 1;  // DEFAULT_CHARSET
};

EditFontSpec EditControlFont(const std::u16string& family);
