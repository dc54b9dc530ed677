#include "ui/LabelSlot.h"

#include "base/TemplateFormatter.h"

bool LabelDrawnOnPage(int slot, const LabelSlot& label, int page) {
  return slot == kSlotMacroLibrary ? (page == 0 || page == 2) : (label.visible == 1 && label.tab == page);
}

std::u16string FormatMemoryShare(const std::u16string& pattern, int bytes, int macroAreaBytes) {
  const double percent = macroAreaBytes > 0 ? static_cast<double>(bytes) * 100.0 / macroAreaBytes : 0.0;
  return text::FormatTemplate(pattern, {text::TemplateArg::Real(percent), text::TemplateArg::Int(bytes)});
}

std::u16string FormatEditorSize(const std::u16string& pattern, int bytes) {
  return text::FormatTemplate(pattern, {text::TemplateArg::Int(bytes)});
}
