#include "macro/LibraryView.h"

#include <algorithm>
#include <unordered_map>

void RebuildView(MacroLibrary& library, LibraryView& view, int visibleRows) {
  const LibraryEntry* before = view.SelectedEntry();
  const bool hadSelection = before != nullptr;
  const std::uint32_t selectedId = hadSelection ? before->id : 0;

  std::vector<LibraryEntry*> sorted;
  sorted.reserve(library.entries.size());
  for (const auto& entry : library.entries) sorted.push_back(entry.get());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const LibraryEntry* a, const LibraryEntry* b) { return a->name < b->name; });

  // Children of each parent id, in sorted order. Groups do not nest: only
  // macros count as children.
  std::unordered_map<std::uint32_t, std::vector<LibraryEntry*>> children;
  std::unordered_map<std::uint32_t, bool> groupIds;
  for (LibraryEntry* entry : sorted) {
    if (entry->IsGroup()) {
      groupIds[entry->id] = true;
    } else {
      children[entry->parent].push_back(entry);
    }
  }

  std::vector<LibraryEntry*> rows;
  rows.reserve(sorted.size());
  for (LibraryEntry* entry : sorted) {
    if (!entry->IsGroup()) continue;
    entry->listedUngrouped = 0;
    rows.push_back(entry);
    const auto found = children.find(entry->id);
    const std::size_t count = found == children.end() ? 0 : found->second.size();
    entry->size = static_cast<std::uint32_t>(count);
    if ((entry->flags & LibraryEntry::kExpanded) && count != 0) {
      for (LibraryEntry* child : found->second) {
        child->listedUngrouped = 0;
        rows.push_back(child);
      }
    }
  }
  for (LibraryEntry* entry : sorted) {
    if (entry->IsGroup() || groupIds.count(entry->parent) != 0) continue;
    entry->listedUngrouped = 1;
    rows.push_back(entry);
  }
  view.rows.swap(rows);

  const int count = view.Count();
  if (hadSelection) {
    int found = -1;
    for (int row = 0; row < count; ++row) {
      if (view.rows[static_cast<std::size_t>(row)]->id == selectedId) {
        found = row;
        break;
      }
    }
    view.selected = found >= 0 ? found : std::min(view.selected, count - 1);
    if (view.selected >= 0 && visibleRows > 0 && view.selected >= view.firstVisible + visibleRows) {
      view.firstVisible = std::max(0, view.selected - visibleRows + 1);
    }
  } else if (view.selected >= count) {
    view.selected = count - 1;
  }
  view.firstVisible = std::max(0, std::min(view.firstVisible, count - 1));
}

int RemoveEntry(MacroLibrary& library, LibraryView& view, int row) {
  if (row < 0 || row >= view.Count()) return 0;
  LibraryEntry* entry = view.rows[static_cast<std::size_t>(row)];
  view.rows.erase(view.rows.begin() + row);
  library.RemoveEntry(entry);
  // Keep the selection on the entry it showed; the removed row's selection
  // passes to the row after it, or up one when it was the last.
  if (view.selected > row) --view.selected;
  const int count = view.Count();
  if (view.selected >= count) view.selected = count - 1;
  if (count == 0) view.selected = -1;
  return 1;
}
