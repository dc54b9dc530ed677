#include "macro/MacroDirectory.h"

#include <utility>

#include "base/Utf16.h"
#include "macro/MacroCommand.h"

MacroDirectory::MacroDirectory() {
  for (int i = 0; i < kMacroSlotCount; ++i) order[static_cast<std::size_t>(i)] = i;
}

int MacroDirectory::UsedBytes() const {
  long long used = 0;
  for (const auto& slot : slots) {
    if (slot.Used() && slot.end >= slot.start) used += static_cast<long long>(slot.end) - slot.start + 1;
  }
  return used > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(used);
}

void MacroDirectory::RefreshDirectory() {
  std::vector<int> used;
  std::vector<int> empty;
  std::array<std::u16string, kMacroSlotCount> lowered;
  for (int i = 0; i < kMacroSlotCount; ++i) {
    const auto& slot = slots[static_cast<std::size_t>(i)];
    (slot.Used() ? used : empty).push_back(i);
    lowered[static_cast<std::size_t>(i)] = text::ToLower(slot.name);
  }
  // Adjacent swaps only when strictly greater, so equal names keep their order.
  for (std::size_t pass = 1; pass < used.size(); ++pass) {
    bool swapped = false;
    for (std::size_t i = 0; i + 1 < used.size(); ++i) {
      if (lowered[static_cast<std::size_t>(used[i])] > lowered[static_cast<std::size_t>(used[i + 1])]) {
        std::swap(used[i], used[i + 1]);
        swapped = true;
      }
    }
    if (!swapped) break;
  }
  std::size_t at = 0;
  for (int index : used) order[at++] = index;
  for (int index : empty) order[at++] = index;
  freeBytes = kMacroAreaSize - UsedBytes();
}

void MacroDirectory::MarkProfileUse(int profile, std::uint32_t start) {
  if (profile < 0 || profile > 7) return;
  for (auto& slot : slots) {
    if (slot.Used() && slot.start == start) {
      slot.profiles = static_cast<std::uint8_t>(slot.profiles | (1u << profile));
      return;
    }
  }
}

void MacroDirectory::ReleaseProfileUse(int profile, int button, std::uint32_t start,
                                       const std::array<std::uint32_t, kButtonsPerProfile>& profileButtons) {
  if (start == kEmptySlot || profile < 0 || profile > 7) return;
  for (int other = 0; other < kButtonsPerProfile; ++other) {
    if (other != button && profileButtons[static_cast<std::size_t>(other)] == start) return;
  }
  for (auto& slot : slots) {
    if (slot.Used() && slot.start == start) {
      slot.profiles = static_cast<std::uint8_t>(slot.profiles & ~(1u << profile));
      return;
    }
  }
}

ButtonChoices MacroDirectory::MacrosForButton(int button, std::uint32_t assigned) const {
  ButtonChoices choices;
  for (int index : order) {
    const auto& slot = slots[static_cast<std::size_t>(index)];
    if (!slot.Used()) continue;
    if ((button == 8 || button == 9) && slot.mode == kModeFirekey) continue;
    if (slot.start == assigned && choices.selected < 0) choices.selected = static_cast<int>(choices.items.size());
    choices.items.push_back({slot.name, slot.start});
  }
  return choices;
}
