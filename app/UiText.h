#pragma once
// Every text the main window shows or speaks in, with the position, colour,
// page and font of the painted labels: built-in English defaults, replaced
// key by key from the language INI file. Other parts of the program address
// the tables by slot and entry number; those numbers are fixed.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/IniSource.h"
#include "ui/LabelSlot.h"

inline constexpr int kLabelSlotCount = 80;

// Message entries 0 to 19 are the table every language file knows; the
// entries from 20 on are this program's own, read the same way ("MESSAGE"
// "str20" and on).
enum MessageNumber : int {
  kMessageCompleted = 0,
  kMessageRestoreCaption = 8,
  kMessageResetCaption = 10,
  kMessageMacroTooLarge = 20,
  kMessageLibraryCaption,
  kMessageLibraryUnreadable,
  kMessageLibraryDamaged,
  kMessageBackupCaption,
  kMessageNoMouse,
  kMessageMouseGone,
  kMessageBackupReadFailed,
  kMessageBackupWriteFailed,
  kMessageNotABackup,
  kMessageMemoryWriteFailed,
  kMessageRequestsFailed,
  kMessageLevelSkipped,
  kMessageFileUnreadable,
  kMessageMouseBusy,
  kMessageMacroFileCaption,
  kMessageMacroFileUnwritable,
  kMessageMacroFileUnreadable,
  kMessageNotAMacroFile,
  kMessageButtonsReleased,
  kMessageRulesCaption,
  kMessageRulesUnreadable,
  kMessageRulesDamaged,
  kMessageCount
};

// The menu commands whose texts the "MENU" section gives.
inline constexpr int kTrayOpenCommand = 32771;
inline constexpr int kTrayExitCommand = 32772;

struct UiText {
  std::array<LabelSlot, kLabelSlotCount> labels;
  LabelSlot versionLabel;
  std::array<std::u16string, 12> functionNames;
  // SkinFonts index of function names 0 to 9 ("FUNCTION LIST" "font_index%d").
  std::array<int, 10> functionNameFonts{};
  std::array<std::u16string, 5> mouseButtonNames;
  std::array<std::u16string, 20> macroStepTexts;
  std::array<std::u16string, 20> tooltipTexts;
  std::array<std::u16string, kMessageCount> messageTexts;
  // Texts of the tray menu's commands kTrayOpenCommand and kTrayExitCommand,
  // applied by the window when it builds the menu.
  std::array<std::u16string, 2> trayMenuTexts;
  // Slots 4 and 5 as loaded; the DPI page formats them with X and Y.
  std::u16string dpiTemplateX;
  std::u16string dpiTemplateY;
  int tooltipExtraWidth = 0;  // "MISC" "shift": pixels added to every tooltip
  // How many texts the language file replaced; logged at start-up.
  int replacedTexts = 0;
};

// Loads the whole table: defaults, then the INI's replacements, then slot 39
// formatted with the size of the macro area in bytes. An empty IniFile gives
// the built-in English texts.
UiText LoadUiText(const IniSource& ini, int macroAreaBytes);

// The first fifty label slots of the text table, as the painters' text items.
std::array<LabelSlot, kTextItemCount> TextItemsFrom(const UiText& texts);

// The DPI labels of slots 4 and 5, formatted from the (INI-supplied) templates.
std::u16string FormatDpiLabel(const std::u16string& pattern, int dpi);

// Message 18 with the group's name, and messages 2 and 7 with a macro's.
std::u16string FormatNamedMessage(const std::u16string& pattern, const std::u16string& name);
