#pragma once
// A painted label of the text table: its text, place, colour, page and font,
// and the label painter's rules for which slots it draws on a page and how it
// fills the memory and size templates.
#include <cstddef>
#include <cstdint>
#include <string>

// A label slot holds 256 UTF-16 units with the terminator; longer INI texts
// are cut to this many.
inline constexpr size_t kLabelTextUnits = 255;

// The label painter draws the text table's first this many slots, the text items.
inline constexpr int kTextItemCount = 50;

// Slots with a fixed meaning elsewhere in the program.
enum LabelSlotNumber : int {
  kSlotDpiX = 4,
  kSlotDpiY = 5,
  kSlotRecordIntervals = 6,
  kSlotUnknownKey = 8,
  kSlotUngrouped = 37,
  kSlotMemoryTotal = 39,
  kSlotMemoryUsed = 40,
  kSlotMemoryFree = 41,
  kSlotMacroLibrary = 42,
  kSlotEditorSize = 44,
  kSlotVersion = 48,
};

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

// Whether the label painter draws `slot` on `page`: slot 42 is drawn on pages
// 0 and 2 whatever its fields say.
bool LabelDrawnOnPage(int slot, const LabelSlot& label, int page);

// The texts the label painter draws in slots 40, 41 and 44, formatted from
// the (INI-supplied) templates.
std::u16string FormatMemoryShare(const std::u16string& pattern, int bytes, int macroAreaBytes);
std::u16string FormatEditorSize(const std::u16string& pattern, int bytes);
