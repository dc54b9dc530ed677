#include "app/UiText.h"

#include <string>

#include "base/DiagLog.h"
#include "base/TemplateFormatter.h"
#include "base/Utf16.h"
#include "macro/StepTexts.h"
#include "ui/SkinFonts.h"

namespace {

constexpr char16_t kVersionNumber[] = u"2.04";

std::u16string Numbered(const std::u16string& prefix, int n) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
    n /= 10;
  } while (n != 0);
  return prefix + digits;
}

std::u16string ReplaceAll(std::u16string text, const std::u16string& from, const std::u16string& to) {
  size_t at = 0;
  while ((at = text.find(from, at)) != std::u16string::npos) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

// Cuts to what a label slot holds, never between the halves of a surrogate pair.
std::u16string FitLabel(std::u16string text) {
  if (text.size() <= kLabelTextUnits) return text;
  size_t keep = kLabelTextUnits;
  if (text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) --keep;
  text.resize(keep);
  return text;
}

LabelSlot Label(const char16_t* text, int x, int y, uint32_t color, int tab, int visible, int font, int shadow) {
  LabelSlot slot;
  slot.text = text;
  slot.x = x;
  slot.y = y;
  slot.color = color;
  slot.tab = tab;
  slot.visible = visible;
  slot.font = font;
  slot.shadow = shadow;
  return slot;
}

LabelSlot TextOnly(const char16_t* text) {
  LabelSlot slot;
  slot.text = text;
  return slot;
}

void SetDefaultLabels(UiText& texts) {
  auto& l = texts.labels;
  l[0] = Label(u"Profile", 332, 110, 0x9B9B9B, 0, 1, 2, 1);
  l[1] = Label(u"Profile\r\nindicator", 545, 207, 0xFFFFFF, 0, 1, 6, 0);
  l[2] = Label(u"dpi indicator", 452, 236, 0xFFFFFF, 1, 1, 0, 0);
  l[3] = Label(u"DPI", 53, 152, 0xFFFFFF, 1, 1, 3, 0);
  l[4] = Label(u"X:%d", 47, 258, 0xFFFFFF, 1, 1, 3, 0);
  l[5] = Label(u"Y:%d", 47, 311, 0xFFFFFF, 1, 1, 3, 0);
  l[6] = Label(u"Record the duration or invervals", 480, 343, 0xFFFFFF, 0, 0, 0, 0);
  l[8] = TextOnly(u"Unknown");
  l[34] = TextOnly(u"Unknown mode");
  l[35] = TextOnly(u"New macro");
  l[36] = TextOnly(u"New group");
  l[37] = TextOnly(u"Ungrouped");
  l[38] = TextOnly(u"- - - Empty - - -");
  l[39] = Label(u"Memory\r\n%d Byte", 50, 462, 0xFFFFFF, 2, 1, 6, 1);
  l[40] = Label(u"Used %3.1f%%\r\n%d Byte", 130, 475, 0xFFFFFF, 2, 1, 6, 1);
  l[41] = Label(u"Free %3.1f%%\r\n%d Byte", 220, 475, 0xFFFFFF, 2, 1, 6, 1);
  l[42] = Label(u"Macro Library", 53, 110, 0xB4B4B4, 2, 1, 3, 1);
  l[43] = Label(u"Macro Editor", 342, 110, 0xB4B4B4, 2, 1, 3, 1);
  l[44] = Label(u"size: %4d Byte", 664, 112, 0xB4B4B4, 2, 1, 6, 1);
  l[45] = Label(u"-  Erase all setting and macro", 138, 472, 0xFFFFFF, 1, 0, 2, 0);
  l[46] = Label(u"-  Backup all data to file", 138, 382, 0xFFFFFF, 1, 0, 2, 0);
  l[47] = Label(u"-  Restore from a backup file", 138, 427, 0xFFFFFF, 1, 0, 2, 0);
  l[48] = Label(u"Ver.", 635, 574, 0x636363, 0, 0, 3, 0);
  l[49] = Label(u"Deleting macro library...", 63, 549, 0x0C0C0C, 0, 0, 3, 0);
  l[50] = Label(u"Resetting button setting...", 63, 549, 0x0C0C0C, 0, 0, 3, 0);
}

void SetDefaultTables(UiText& texts) {
  texts.functionNames = {u"Left click", u"Right click", u"Wheel click", u"Button 4",  u"Button 5", u"Adjust lift",
                         u"Tilt left",  u"Tilt right",  u"Scroll up",   u"Scroll down", u"DPI +",  u"DPI -"};
  // The step texts and button names start as the macro editor's own.
  const MacroStepTexts builtIn;
  for (int i = 0; i < MacroStepTexts::kButtonCount; ++i) {
    texts.mouseButtonNames[static_cast<size_t>(i)] = builtIn.ButtonName(i);
  }
  for (int i = 0; i < MacroStepTexts::kStepCount; ++i) texts.macroStepTexts[static_cast<size_t>(i)] = builtIn.Step(i);
  texts.tooltipTexts[0] = u"Drag-drop macro or command into here to discard";
  texts.tooltipTexts[1] = u"Drag-drop it into editor area to insert 'wait command'";
  texts.tooltipTexts[2] = u"Drag-drop it into editor area to insert 'keydown command'";
  texts.tooltipTexts[3] = u"Drag-drop it into editor area to insert 'keyup command'";
  texts.tooltipTexts[4] = u"Drag-drop it into editor area to insert 'mouse button down command'";
  texts.tooltipTexts[5] = u"Drag-drop it into editor area to insert 'mouse button up command'";
  texts.tooltipTexts[6] = u"Drag-drop it into editor area to insert 'wheel scoll command'";
  texts.tooltipTexts[10] = u"Add a new floder";
  texts.trayMenuTexts = {u"Open mouse management", u"Exit"};
}

// Message 18 quotes slot 37's text; its '%' signs are doubled so that
// formatting the message with a group name shows them as typed.
std::u16string GroupRemovalMessage(const std::u16string& ungrouped) {
  return u"Remove the group '%s' ?\r\nAll child items will be move to '" + ReplaceAll(ungrouped, u"%", u"%%") +
         u"' folder";
}

void SetOwnMessages(UiText& texts) {
  auto& m = texts.messageTexts;
  m[kMessageMacroTooLarge] =
      u"This macro is %d bytes long. A macro file holds at most 20000 bytes, so it was not exported.";
  m[kMessageLibraryCaption] = u"Macro library";
  m[kMessageLibraryUnreadable] =
      u"The macro library \"%s\" cannot be read, so it is left as it is.\r\n"
      u"What you change now is saved to \"%s\".";
  m[kMessageLibraryDamaged] =
      u"The macro library \"%s\" is damaged; the macros read before the damage are kept.\r\n"
      u"The damaged file is kept as \"%s\".";
  m[kMessageBackupCaption] = u"Backup";
  m[kMessageNoMouse] = u"No mouse is connected, so nothing was done.";
  m[kMessageMouseGone] = u"The mouse was unplugged, so the operation stopped before it was done.";
  m[kMessageBackupReadFailed] = u"Not all data could be read from the mouse, so no backup file was written.";
  m[kMessageBackupWriteFailed] = u"The backup file could not be written.";
  m[kMessageNotABackup] = u"This is not a backup file, or it is incomplete. Nothing was written to the mouse.";
  m[kMessageMemoryWriteFailed] = u"Writing the mouse's memory failed, so the restore stopped there.";
  m[kMessageRequestsFailed] = u"The mouse did not take %d requests; everything else was written.";
  m[kMessageLevelSkipped] = u"DPI level %d was left as it was: the backup holds a step of 0 for it.";
  m[kMessageFileUnreadable] = u"The file could not be opened, so nothing was written to the mouse.";
  m[kMessageMouseBusy] = u"The mouse is being set up right now, so nothing was done. Please try again in a moment.";
  m[kMessageMacroFileCaption] = u"Macro file";
  m[kMessageMacroFileUnwritable] = u"The macro file could not be written.";
  m[kMessageMacroFileUnreadable] = u"The macro file could not be opened, so nothing was imported.";
  m[kMessageNotAMacroFile] = u"This is not a macro file, so nothing was imported.";
  m[kMessageButtonsReleased] =
      u"Which macro each button of the mouse plays was not known in full, so every button got its own "
      u"function back before the macros moved. Give the mouse's macros to the buttons again.";
  m[kMessageRulesCaption] = u"Profile rules";
  m[kMessageRulesUnreadable] =
      u"The profile rules \"%s\" cannot be read, so the profiles do not follow the program in front.";
  m[kMessageRulesDamaged] =
      u"The profile rules \"%s\" are damaged, so the profiles do not follow the program in front.\r\n"
      u"The damaged file is kept as \"%s\".";
}

void SetDefaultMessages(UiText& texts) {
  const char16_t* messages[18] = {
      u"Completed !!",
      u"Save",
      u"Macro '%s' will be overwritten, do you want to continue ?",
      u"Defrag",
      (u"Not enough continuous space to save, defrag the memory?\r\n\r\n**CAUTION !! don't un-plug the mouse until "
       u"during the defragment**\r\n**Suggest to backup before defragment**"),
      u"Not enough space !!",
      u"Remove",
      u"Remove the macro '%s' ?",
      u"Restore",
      u"To restore data from file, the previous setting and macro will be overwritten, do you want continue?",
      u"Reset",
      u"CAUTION !! All settings and macros will be erased, do you want continue?",
      u"Please press any key on your keyboard",
      u"Please click any mouse button",
      u"Please scroll the mouse wheel",
      u"Reading all data from eeprom...",
      u"Writing data to eeprom...",
      u"Waiting..."};
  for (size_t i = 0; i < 18; ++i) texts.messageTexts[i] = messages[i];
  texts.messageTexts[18] = GroupRemovalMessage(texts.labels[kSlotUngrouped].text);
  texts.messageTexts[19].clear();
  SetOwnMessages(texts);
}

void LoadStringSection(const IniSource& ini, int n, LabelSlot& slot, int& replaced) {
  const std::u16string section = Numbered(u"STRING ", n);
  slot.clearType = 0;
  if (!ini.MayHaveSection(section)) return;
  if (const std::optional<std::u16string> text = ini.ReadText(section, u"str")) {
    const std::optional<int> x = ini.ReadNumber(section, u"x");
    const std::optional<int> y = ini.ReadNumber(section, u"y");
    if (x && y) {
      slot.x = *x;
      slot.y = *y;
    }
    if (const std::optional<int> color = ini.ReadNumber(section, u"color")) {
      slot.color = static_cast<uint32_t>(*color) & 0xFFFFFFu;
    }
    if (const std::optional<int> shadow = ini.ReadNumber(section, u"shadow")) slot.shadow = *shadow;
    // An index past the thirteen fonts would make the painter draw with no
    // font at all; such a value leaves the slot's font as it was.
    const std::optional<int> font = ini.ReadNumber(section, u"font_index");
    if (font && IsSkinFontIndex(*font)) slot.font = *font;
    slot.text = FitLabel(ReplaceAll(*text, u"\\r\\n", u"\r\n"));
    ++replaced;
  }
  slot.clearType = ini.ReadInt(section, u"clear_type", 0);
}

}  // namespace

UiText LoadUiText(const IniSource& ini, int macroAreaBytes) {
  UiText texts;
  int replaced = 0;
  SetDefaultLabels(texts);
  texts.tooltipExtraWidth = ini.ReadInt(u"MISC", u"shift", 0);
  for (int n = 0; n < kLabelSlotCount; ++n) LoadStringSection(ini, n, texts.labels[static_cast<size_t>(n)], replaced);

  const LabelSlot& versionSource = texts.labels[kSlotVersion];
  texts.versionLabel.text = FitLabel(versionSource.text + u" " + kVersionNumber);
  texts.versionLabel.x = 638;
  texts.versionLabel.y = 560;
  texts.versionLabel.color = 0xBCBCBC;
  texts.versionLabel.font = versionSource.font;
  texts.versionLabel.visible = 1;

  SetDefaultTables(texts);
  // Most language files leave most sections out: their keys are not looked
  // up one by one.
  const bool functionList = ini.MayHaveSection(u"FUNCTION LIST");
  for (int i = 0; functionList && i < 10; ++i) {
    const size_t at = static_cast<size_t>(i);
    if (const std::optional<std::u16string> name = ini.ReadText(u"FUNCTION LIST", Numbered(u"str", i))) {
      texts.functionNames[at] = *name;
      ++replaced;
    }
    const int font = ini.ReadInt(u"FUNCTION LIST", Numbered(u"font_index", i), 0);
    texts.functionNameFonts[at] = IsSkinFontIndex(font) ? font : 0;
  }

  const char16_t* buttonKeys[5] = {u"str_inst_lb", u"str_inst_rb", u"str_inst_mb", u"str_inst_b4", u"str_inst_b5"};
  const bool macroStrings = ini.MayHaveSection(u"MACRO STRING");
  for (size_t i = 0; macroStrings && i < 5; ++i) {
    if (const std::optional<std::u16string> name = ini.ReadText(u"MACRO STRING", buttonKeys[i])) {
      texts.mouseButtonNames[i] = *name;
      ++replaced;
    }
  }
  for (int i = 0; macroStrings && i <= 16; ++i) {
    if (const std::optional<std::u16string> step = ini.ReadText(u"MACRO STRING", Numbered(u"str_inst", i))) {
      texts.macroStepTexts[static_cast<size_t>(i)] = *step;
      ++replaced;
    }
  }

  const bool menu = ini.MayHaveSection(u"MENU");
  for (int i = 0; menu && i < 2; ++i) {
    if (const std::optional<std::u16string> item = ini.ReadText(u"MENU", Numbered(u"str", i))) {
      texts.trayMenuTexts[static_cast<size_t>(i)] = *item;
      ++replaced;
    }
  }
  const bool tips = ini.MayHaveSection(u"TIP STRING");
  for (int i = 0; tips && i <= 14; ++i) {
    if (const std::optional<std::u16string> tip = ini.ReadText(u"TIP STRING", Numbered(u"str", i))) {
      texts.tooltipTexts[static_cast<size_t>(i)] = *tip;
      ++replaced;
    }
  }

  SetDefaultMessages(texts);
  const bool messages = ini.MayHaveSection(u"MESSAGE");
  for (int i = 0; messages && i < kMessageCount; ++i) {
    if (const std::optional<std::u16string> message = ini.ReadText(u"MESSAGE", Numbered(u"str", i))) {
      texts.messageTexts[static_cast<size_t>(i)] = ReplaceAll(ReplaceAll(*message, u"\\r", u"\r"), u"\\n", u"\n");
      ++replaced;
    }
  }

  texts.dpiTemplateX = texts.labels[kSlotDpiX].text;
  texts.dpiTemplateY = texts.labels[kSlotDpiY].text;

  LabelSlot& memory = texts.labels[kSlotMemoryTotal];
  memory.text = FitLabel(text::FormatTemplate(memory.text, {text::TemplateArg::Int(macroAreaBytes)}));

  texts.labels[0].y = 110;
  texts.labels[42].y = 110;
  texts.labels[43].y = 110;
  texts.labels[kSlotVersion].y = 574;

  texts.replacedTexts = replaced;
  diag::Write("texts loaded: " + std::to_string(replaced) + " from the language file; \"" +
              text::ToUtf8(texts.labels[0].text) + "\", \"" + text::ToUtf8(texts.functionNames[0]) + "\", \"" +
              text::ToUtf8(texts.trayMenuTexts[1]) + "\"");
  return texts;
}

std::array<LabelSlot, kTextItemCount> TextItemsFrom(const UiText& texts) {
  std::array<LabelSlot, kTextItemCount> items;
  for (size_t n = 0; n < items.size(); ++n) items[n] = texts.labels[n];
  return items;
}

std::u16string FormatDpiLabel(const std::u16string& pattern, int dpi) {
  return text::FormatTemplate(pattern, {text::TemplateArg::Int(dpi)});
}

std::u16string FormatNamedMessage(const std::u16string& pattern, const std::u16string& name) {
  return text::FormatTemplate(pattern, {text::TemplateArg::Text(name)});
}
