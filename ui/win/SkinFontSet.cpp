#include "ui/win/SkinFontSet.h"

#include <vector>

#include "base/DiagLog.h"
#include "base/Utf16.h"

namespace {

std::unique_ptr<Gdiplus::Font> FromFamilyName(const std::wstring& face, const FontSpec& wanted) {
  if (face.empty()) return nullptr;
  Gdiplus::FontFamily family(face.c_str());
  if (family.GetLastStatus() != Gdiplus::Ok || !family.IsAvailable()) return nullptr;
  auto font = std::make_unique<Gdiplus::Font>(&family, wanted.pixelSize, wanted.style, Gdiplus::UnitPixel);
  if (font->GetLastStatus() != Gdiplus::Ok || !font->IsAvailable()) return nullptr;
  return font;
}

// FontFamily::GenericSansSerif() gives null with mingw-w64 under Wine; the
// flat call reports its status instead.
std::wstring GenericSansSerifName() {
  Gdiplus::GpFontFamily* family = nullptr;
  if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&family) != Gdiplus::Ok || family == nullptr) {
    return std::wstring();
  }
  WCHAR name[LF_FACESIZE] = {};
  if (Gdiplus::DllExports::GdipGetFamilyName(family, name, 0) != Gdiplus::Ok) return std::wstring();
  return name;
}

std::unique_ptr<Gdiplus::Font> FromGdiFont(const std::wstring& face, const FontSpec& wanted) {
  LOGFONTW logFont = {};
  logFont.lfHeight = -static_cast<LONG>(wanted.pixelSize);
  logFont.lfWeight = (wanted.style & kFontBold) != 0 ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = (wanted.style & kFontItalic) != 0;
  logFont.lfUnderline = (wanted.style & kFontUnderline) != 0;
  logFont.lfStrikeOut = (wanted.style & kFontStrikeout) != 0;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfQuality = ANTIALIASED_QUALITY;
  lstrcpynW(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
  const HFONT gdiFont = CreateFontIndirectW(&logFont);
  if (gdiFont == nullptr) return nullptr;
  std::unique_ptr<Gdiplus::Font> font;
  const HDC screen = GetDC(nullptr);
  if (screen != nullptr) {
    font = std::make_unique<Gdiplus::Font>(screen, gdiFont);
    if (font->GetLastStatus() != Gdiplus::Ok || !font->IsAvailable()) font.reset();
    ReleaseDC(nullptr, screen);
  }
  DeleteObject(gdiFont);
  return font;
}

}  // namespace

std::unique_ptr<Gdiplus::Font> CreateSkinFont(const FontSpec& wanted) {
  const std::wstring requested(wanted.face.begin(), wanted.face.end());
  const std::wstring chain[] = {requested, L"Tahoma", L"Segoe UI", GenericSansSerifName(), L"Liberation Sans",
                                L"DejaVu Sans"};
  for (const std::wstring& face : chain) {
    if (std::unique_ptr<Gdiplus::Font> font = FromFamilyName(face, wanted)) return font;
  }
  return FromGdiFont(requested, wanted);
}

void SkinFontSet::Build(const SkinFontSpecs& wantedFonts) {
  for (size_t i = 0; i < wantedFonts.size(); ++i) {
    fonts[i] = CreateSkinFont(wantedFonts[i]);
    const std::wstring family = FamilyName(static_cast<int>(i));
    diag::Write("font " + std::to_string(i) + ": " + text::ToUtf8(wantedFonts[i].face) + " " +
                std::to_string(static_cast<int>(wantedFonts[i].pixelSize)) + " px -> " +
                (fonts[i] ? text::ToUtf8(std::u16string(family.begin(), family.end())) : std::string("none")));
  }
}

Gdiplus::Font* SkinFontSet::Get(int index) const {
  return IsSkinFontIndex(index) ? fonts[static_cast<size_t>(index)].get() : nullptr;
}

std::wstring SkinFontSet::FamilyName(int index) const {
  const Gdiplus::Font* font = Get(index);
  if (font == nullptr) return std::wstring();
  Gdiplus::FontFamily family;
  if (font->GetFamily(&family) != Gdiplus::Ok) return std::wstring();
  WCHAR name[LF_FACESIZE] = {};
  if (family.GetFamilyName(name) != Gdiplus::Ok) return std::wstring();
  return name;
}
