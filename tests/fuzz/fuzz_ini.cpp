// Feeds arbitrary bytes as a language INI file to the portable reader and to
// everything that loads from it: the text table, the skin fonts and the skin
// style, then formats the loaded templates the way the painters do.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/UiText.h"
#include "base/IniFile.h"
#include "ui/SkinFonts.h"
#include "ui/SkinStyle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const IniFile ini = IniFile::FromBytes(std::string(reinterpret_cast<const char*>(data), size));
  const UiText texts = LoadUiText(ini, 5888);
  for (const LabelSlot& slot : texts.labels) {
    if (slot.text.size() > kLabelTextUnits) std::abort();
  }
  FormatMemoryShare(texts.labels[kSlotMemoryUsed].text, 1000, 5888);
  FormatEditorSize(texts.labels[kSlotEditorSize].text, 77);
  FormatDpiLabel(texts.dpiTemplateX, 1600);
  // The built-in messages are formatted the same way every run.
  if (ini.MayHaveSection(u"MESSAGE")) {
    for (const std::u16string& message : texts.messageTexts) FormatNamedMessage(message, u"name");
  }
  LoadSkinFonts(ini);
  LoadSkinStyle(ini);
  ini.ReadInt(u"MISC", u"shift", kIniAbsentNumber);
  return 0;
}
