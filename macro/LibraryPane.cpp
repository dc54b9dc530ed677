#include "macro/LibraryPane.h"

#include <algorithm>

#include "base/TemplateFormatter.h"
#include "macro/VirtualKeys.h"

void LibraryPane::Rebuild() { RebuildView(library_, view_, kVisibleRows); }

LibraryEntry* LibraryPane::At(int row) const {
  return row >= 0 && row < Count() ? view_.rows[static_cast<std::size_t>(row)] : nullptr;
}

const LibraryEntry* LibraryPane::EntryAt(int row) const { return At(row); }

int LibraryPane::RowOf(const LibraryEntry* entry) const {
  const auto found = std::find(view_.rows.begin(), view_.rows.end(), entry);
  return found == view_.rows.end() ? -1 : static_cast<int>(found - view_.rows.begin());
}

// The view may scroll until only the last row shows.
int LibraryPane::LastFirstVisible() const { return std::max(0, Count() - 1); }

void LibraryPane::Select(int row) {
  if (Count() == 0) {
    view_.selected = -1;
    return;
  }
  view_.selected = std::clamp(row, 0, Count() - 1);
  if (view_.selected < view_.firstVisible) {
    view_.firstVisible = view_.selected;
  } else if (view_.selected >= view_.firstVisible + kVisibleRows) {
    view_.firstVisible = view_.selected - kVisibleRows + 1;
  }
}

PaneKeyResult LibraryPane::OnKey(int virtualKey) {
  if (Count() == 0) return PaneKeyResult::kNone;
  const int selected = view_.selected;
  int target = selected;
  switch (virtualKey) {
    case kKeyUp: target = selected - 1; break;
    case kKeyDown: target = selected + 1; break;
    case kKeyPageUp: target = selected - kVisibleRows; break;
    case kKeyPageDown: target = selected + kVisibleRows; break;
    case kKeyHome: target = 0; break;
    case kKeyEnd: target = Count() - 1; break;
    case kKeyRight:
    case kKeyLeft: {
      const LibraryEntry* entry = At(selected);
      if (entry == nullptr || !entry->IsGroup()) return PaneKeyResult::kNone;
      const bool expanded = (entry->flags & LibraryEntry::kExpanded) != 0;
      if (expanded == (virtualKey == kKeyRight)) return PaneKeyResult::kNone;
      return ToggleGroup(selected) ? PaneKeyResult::kChanged : PaneKeyResult::kNone;
    }
    case kKeyDelete: return At(selected) != nullptr ? PaneKeyResult::kRemoveAsked : PaneKeyResult::kNone;
    default: return PaneKeyResult::kNone;
  }
  const int firstVisible = view_.firstVisible;
  Select(target);
  return view_.selected != selected || view_.firstVisible != firstVisible ? PaneKeyResult::kMoved
                                                                          : PaneKeyResult::kNone;
}

bool LibraryPane::Wheel(int notches) {
  if (notches == 0) return false;
  return ScrollBy(notches > 0 ? -1 : 1);
}

bool LibraryPane::ScrollBy(int rows) {
  const int before = view_.firstVisible;
  view_.firstVisible = std::clamp(before + rows, 0, LastFirstVisible());
  return view_.firstVisible != before;
}

bool LibraryPane::ToggleGroup(int row) {
  LibraryEntry* group = At(row);
  if (group == nullptr || !group->IsGroup()) return false;
  group->flags ^= LibraryEntry::kExpanded;
  Rebuild();
  return true;
}

int LibraryPane::NewGroup(const std::u16string& baseText) {
  const LibraryEntry& group = library_.AddEntry(library_.UniqueName(baseText), true, 0, 0, {});
  Rebuild();
  Select(RowOf(&group));
  return view_.selected;
}

bool LibraryPane::Rename(int row, const std::u16string& name, int maxLength) {
  LibraryEntry* entry = At(row);
  if (entry == nullptr || name.empty() || static_cast<int>(name.size()) > maxLength || name == entry->name) {
    return false;
  }
  entry->name = name;
  Rebuild();
  return true;
}

bool LibraryPane::MoveIntoGroup(int macroRow, int groupRow) {
  LibraryEntry* macro = At(macroRow);
  LibraryEntry* group = At(groupRow);
  if (macro == nullptr || group == nullptr || macro->IsGroup() || !group->IsGroup() || macro->parent == group->id) {
    return false;
  }
  macro->parent = group->id;
  group->flags |= LibraryEntry::kExpanded;
  Rebuild();
  return true;
}

StoreTarget LibraryPane::WhereToStore(int row) const {
  const LibraryEntry* entry = At(row);
  return entry != nullptr && !entry->IsGroup() ? StoreTarget::kOverwrite : StoreTarget::kNewMacro;
}

int LibraryPane::Store(int row, const MacroCommands& commands, const std::u16string& newMacroBase) {
  LibraryEntry* target = At(row);
  if (target != nullptr && !target->IsGroup()) {
    target->commands = commands;
    target->size = MacroSize(commands);
  } else {
    LibraryEntry* group = target;
    target = &library_.AddEntry(library_.UniqueName(newMacroBase), false, group ? group->id : 0, 0, commands);
    if (group != nullptr) group->flags |= LibraryEntry::kExpanded;
  }
  Rebuild();
  Select(RowOf(target));
  return view_.selected;
}

std::u16string LibraryPane::RemovalQuestion(int row, const std::u16string& macroPattern,
                                            const std::u16string& groupPattern) const {
  const LibraryEntry* entry = At(row);
  if (entry == nullptr) return {};
  return text::FormatTemplate(entry->IsGroup() ? groupPattern : macroPattern, {text::TemplateArg::Text(entry->name)});
}

bool LibraryPane::Remove(int row) {
  if (RemoveEntry(library_, view_, row) == 0) return false;
  Rebuild();
  return true;
}
