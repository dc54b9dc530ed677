#pragma once
// The "Macro Library" pane: the selection and scrolling of the flattened
// library and the operations that the pane's keys, clicks and drops start.
// The library and its view are owned elsewhere. Every operation that changes
// the library returns whether it did, because the caller then saves the file.
#include <string>

#include "macro/LibraryView.h"
#include "macro/MacroCommand.h"
#include "macro/MacroLibrary.h"

enum class PaneKeyResult {
  kNone,        // the key did nothing here
  kMoved,       // the selection or the scroll position changed: repaint
  kChanged,     // the library changed: save and repaint
  kRemoveAsked  // Delete on a row: the caller asks before removing it
};

// Where the editor's macro goes when it is dropped on a row.
enum class StoreTarget {
  kNewMacro,  // no row or a group: a new macro (in that group)
  kOverwrite  // a macro: replaced, after the caller asked with its name
};

class LibraryPane {
 public:
  static constexpr int kVisibleRows = 9;
  // The rename box over a row takes 28 characters; the one the window opens
  // for the selected row takes 14.
  static constexpr int kNameLength = 28;
  static constexpr int kShortNameLength = 14;

  LibraryPane(MacroLibrary& library, LibraryView& view) : library_(library), view_(view) {}

  // Rebuilds the rows from the library, keeping the selected entry.
  void Rebuild();

  int Selected() const { return view_.selected; }
  int FirstVisible() const { return view_.firstVisible; }
  int Count() const { return view_.Count(); }
  // The entry shown at `row`; null for no row.
  const LibraryEntry* EntryAt(int row) const;

  // Selects `row`, kept within the list, and scrolls it into view.
  void Select(int row);
  PaneKeyResult OnKey(int virtualKey);
  // One wheel message scrolls one row, up for a positive count (the wheel
  // turned away from the user). False when already at that end.
  bool Wheel(int notches);
  // Scrolls by `rows`, stopping at the first and the last row; false when
  // nothing moved, so a scrolling timer can stop.
  bool ScrollBy(int rows);

  // Expands a collapsed group or collapses an expanded one.
  bool ToggleGroup(int row);
  // A new ungrouped group named after `baseText`, selected; its row.
  int NewGroup(const std::u16string& baseText);
  // Refuses an empty name and one longer than `maxLength`; false also when
  // the name stays the same.
  bool Rename(int row, const std::u16string& name, int maxLength = kNameLength);
  // Puts the macro at `macroRow` into the group at `groupRow` and expands the
  // group; false when it is already there or the rows are not a macro and a group.
  bool MoveIntoGroup(int macroRow, int groupRow);

  StoreTarget WhereToStore(int row) const;
  // Stores the editor's `commands` where WhereToStore says: a new macro named
  // after `newMacroBase` (in the group at `row`, which is then expanded), or
  // over the macro at `row`, which keeps its id and name. Selects and reveals
  // the stored macro and returns its row.
  int Store(int row, const MacroCommands& commands, const std::u16string& newMacroBase);

  // The question asked before removing the entry at `row`: the macro or the
  // group pattern with its "%s" replaced by the entry's name; empty for no row.
  std::u16string RemovalQuestion(int row, const std::u16string& macroPattern,
                                 const std::u16string& groupPattern) const;
  // Removes the entry at `row` (a group's macros become ungrouped, the
  // profiles' buttons that played it are cleared); when it was the last row
  // the selection moves up one.
  bool Remove(int row);

 private:
  LibraryEntry* At(int row) const;
  int RowOf(const LibraryEntry* entry) const;
  int LastFirstVisible() const;

  MacroLibrary& library_;
  LibraryView& view_;
};
