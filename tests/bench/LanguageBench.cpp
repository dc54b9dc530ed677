// Start-up cost of the language file: parsing a complete file and loading the
// text table, the skin fonts and the skin style from it, as the main window
// does once before it shows.
#include <string>
#include <vector>

#include "Bench.h"
#include "app/UiText.h"
#include "base/IniFile.h"
#include "ui/SkinFonts.h"
#include "ui/SkinStyle.h"

namespace {

std::string CompleteLanguageFile() {
  std::string ini = "[MISC]\r\nshift=2\r\n";
  for (int n = 0; n < kLabelSlotCount; ++n) {
    ini += "[STRING " + std::to_string(n) + "]\r\nstr=Label text number " + std::to_string(n) +
           "\\r\\nsecond line\r\nx=10\r\ny=20\r\ncolor=16777215\r\nfont_index=3\r\n";
  }
  ini += "[FUNCTION LIST]\r\n";
  for (int i = 0; i < 10; ++i) ini += "str" + std::to_string(i) + "=Function " + std::to_string(i) + "\r\n";
  ini += "[MACRO STRING]\r\n";
  for (int i = 0; i < 17; ++i) ini += "str_inst" + std::to_string(i) + "=Step text %d\r\n";
  ini += "[TIP STRING]\r\n";
  for (int i = 0; i < 15; ++i) ini += "str" + std::to_string(i) + "=Tooltip\r\n";
  ini += "[MESSAGE]\r\n";
  for (int i = 0; i < 20; ++i) ini += "str" + std::to_string(i) + "=Message\\r\\nline two\r\n";
  for (int n = 0; n < 10; ++n) {
    ini += "[FONT " + std::to_string(n) + "]\r\nfont_face=Tahoma\r\nsize=14\r\nstyle=0\r\n";
    ini += "[BUTTON " + std::to_string(n) + "]\r\nstr=Caption\r\nfont_index=2\r\nclear_type=1\r\n";
  }
  return ini;
}

}  // namespace

VANTOR_FIGURE(language_file_load_ms) {
  const std::string bytes = CompleteLanguageFile();
  std::vector<double> samples;
  int replaced = 0;
  for (int run = 0; run < 51; ++run) {
    const auto start = bench::Clock::now();
    const IniFile ini = IniFile::FromBytes(bytes);
    const SkinFontSpecs fonts = LoadSkinFonts(ini);
    const UiText texts = LoadUiText(ini, 5888);
    const SkinStyle style = LoadSkinStyle(ini);
    samples.push_back(bench::MillisecondsSince(start));
    replaced += texts.replacedTexts + static_cast<int>(fonts.size() + style.buttons.size());
  }
  return replaced > 0 ? bench::Percentile(samples, 0.5) : -1;
}
