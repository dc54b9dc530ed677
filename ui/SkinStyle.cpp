#include "ui/SkinStyle.h"

#include "ui/SkinFonts.h"

namespace {

std::u16string Numbered(const char16_t* prefix, int n) {
  return std::u16string(prefix) + static_cast<char16_t>(u'0' + n);
}

// Cuts to `units`, never between the halves of a surrogate pair.
std::u16string CutTo(std::u16string text, size_t units) {
  if (text.size() <= units) return text;
  if (units > 0 && text[units - 1] >= 0xD800 && text[units - 1] <= 0xDBFF) --units;
  text.resize(units);
  return text;
}

}  // namespace

SkinStyle BuiltInSkinStyle() {
  SkinStyle style;
  const char16_t* captions[7] = {u"Record", u"Clear", u"Import", u"Export", u"Backup", u"Restore", u"Reset"};
  for (size_t i = 0; i < 7; ++i) {
    style.buttons[i].imageIds = {136, 137, 138, 139};
    style.buttons[i].caption = captions[i];
  }
  style.buttons[kStyleRecord].alternateCaption = u"Stop";
  style.buttons[kStyleClose].imageIds = {141, 142, 143, 0};
  style.buttons[kStyleMinimise].imageIds = {149, 150, 151, 148};
  style.buttons[kStyleList].imageIds = {152, 153, 154, 178};
  style.buttons[kStyleList].font = 2;
  style.buttons[kStyleCheckBox].imageIds = {207, 206, 206, 206};
  style.buttons[kStyleCheckBox].font = 2;

  const int tabImages[kTabCount] = {255, 256, 254};
  const char16_t* tabCaptions[kTabCount] = {u"Button settings", u"DPI & Tools", u"Macro settings"};
  for (size_t i = 0; i < kTabCount; ++i) {
    style.tabs[i].imageId = tabImages[i];
    style.tabs[i].caption = tabCaptions[i];
  }
  return style;
}

SkinStyle LoadSkinStyle(const IniSource& ini) {
  SkinStyle style = BuiltInSkinStyle();
  for (int n = 0; n < 7; ++n) {
    ButtonStyle& button = style.buttons[static_cast<size_t>(n)];
    button.caption = ini.ReadString(Numbered(u"BUTTON ", n), u"str", button.caption);
  }
  style.buttons[kStyleRecord].alternateCaption =
      ini.ReadString(u"BUTTON 0", u"str_alt", style.buttons[kStyleRecord].alternateCaption);

  // The check box's record 10 has no section.
  for (int n = 0; n < 10; ++n) {
    const std::u16string section = Numbered(u"BUTTON ", n);
    ButtonStyle& button = style.buttons[static_cast<size_t>(n)];
    const int font = ini.ReadInt(section, u"font_index", kIniAbsentNumber);
    button.clearType = ini.ReadInt(section, u"clear_type", 0);
    if (font != kIniAbsentNumber && IsSkinFontIndex(font)) button.font = font;
  }

  for (int n = 0; n < kTabCount; ++n) {
    const std::u16string section = Numbered(u"TAB ", n);
    TabStyle& tab = style.tabs[static_cast<size_t>(n)];
    tab.caption = CutTo(ini.ReadString(section, u"str", tab.caption), kTabCaptionUnits);
    const int font = ini.ReadInt(section, u"font_index", 0);
    if (IsSkinFontIndex(font)) tab.font = font;
    tab.shift = ini.ReadInt(section, u"shift", 0);
  }

  style.functionBarRound = ini.ReadInt(u"MISC", u"function_bar_round", 0);
  const int color = ini.ReadInt(u"MISC", u"function_bar_color", kIniAbsentNumber);
  if (color != kIniAbsentNumber) {
    const uint32_t rgb = static_cast<uint32_t>(color);
    style.functionBarColor = {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                              static_cast<uint8_t>(rgb)};
  }
  const int stepFont = ini.ReadInt(u"MACRO STRING", u"font_index", 5);
  if (IsSkinFontIndex(stepFont)) style.macroStepFont = stepFont;
  return style;
}
