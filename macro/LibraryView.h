#pragma once
// The flattened library that the "Macro Library" pane shows: groups sorted by
// name with their children under the expanded ones, then the ungrouped macros.
#include <vector>

#include "macro/MacroLibrary.h"

struct LibraryView {
  std::vector<LibraryEntry*> rows;
  int selected = -1;      // selected row, -1 for none
  int firstVisible = 0;   // first row shown

  int Count() const { return static_cast<int>(rows.size()); }
  LibraryEntry* SelectedEntry() const {
    return selected >= 0 && selected < Count() ? rows[static_cast<std::size_t>(selected)] : nullptr;
  }
};

// Rebuilds `view` from `library` and keeps the selected entry selected,
// scrolling it into the `visibleRows` rows shown when it moved below them.
// Group sizes become their child counts. The caller saves the library when
// the rebuild follows a change.
void RebuildView(MacroLibrary& library, LibraryView& view, int visibleRows);

// Removes the entry shown at `row` from the library and from the view; when it
// was the last row the selection moves up one. Rebuild the view afterwards.
// Returns 1 when there was an entry at `row`.
int RemoveEntry(MacroLibrary& library, LibraryView& view, int row);
