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

inline constexpr int kLabelSlotCount = 80;
// A label slot holds 256 UTF-16 units with the terminator; longer INI texts
// are cut to this many.
inline constexpr size_t kLabelTextUnits = 255;

// Slots with a fixed meaning elsewhere in the program.
enum LabelSlotNumber : int {
  kSlotDpiX = 4,
  kSlotDpiY = 5,
  kSlotUnknownKey = 8,
  kSlotUngrouped = 37,
  kSlotMemoryTotal = 39,
  kSlotMemoryUsed = 40,
  kSlotMemoryFree = 41,
  kSlotMacroLibrary = 42,
  kSlotEditorSize = 44,
  kSlotVersion = 48,
};

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
  kMessageCount
};

// The menu commands whose texts the "MENU" section gives.
inline constexpr int kTrayOpenCommand = 32771;
inline constexpr int kTrayExitCommand = 32772;

struct LabelSlot {
  std::u16string text;  // may hold CR LF and template conversions
  int x = 0;
  int y = 0;
  uint32_t color = 0;  // 0x00BBGGRR, drawn opaque
  int tab = 0;         // page: 0 buttons, 1 DPI & tools, 2 macros
  int visible = 0;     // 0: a text other parts use, not painted by the label painter
  int clearType = 0;
  int font = 0;  // SkinFonts index
  int shadow = 0;
};

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

// The label painter's choice for `page`: slots 0 to 49 in order; slot 42 is
// drawn on pages 0 and 2 whatever its fields say.
std::vector<int> LabelsOnPage(const UiText& texts, int page);
bool LabelDrawnOnPage(int slot, const LabelSlot& label, int page);

// The texts the label painter draws in slots 40, 41 and 44, and the DPI
// labels of slots 4 and 5, formatted from the (INI-supplied) templates.
std::u16string FormatMemoryShare(const std::u16string& pattern, int bytes, int macroAreaBytes);
std::u16string FormatEditorSize(const std::u16string& pattern, int bytes);
std::u16string FormatDpiLabel(const std::u16string& pattern, int dpi);

// Message 18 with the group's name, and messages 2 and 7 with a macro's.
std::u16string FormatNamedMessage(const std::u16string& pattern, const std::u16string& name);
