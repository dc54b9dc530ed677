#include "macro/MacroLibrary.h"

#include <algorithm>

#include "base/TemplateFormatter.h"
#include "base/Utf16.h"

bool DeviceProfileRecord::operator==(const DeviceProfileRecord& other) const {
  return profileCount == other.profileCount && rows == other.rows && profileCode == other.profileCode &&
         profileName == other.profileName && profileName2 == other.profileName2 && valueA == other.valueA &&
         valueB == other.valueB && valueC == other.valueC && currentProfile == other.currentProfile &&
         profileSetting == other.profileSetting && pairFirst == other.pairFirst && pairSecond == other.pairSecond;
}

LibraryEntry& MacroLibrary::AddEntry(const std::u16string& name, bool isGroup, std::uint32_t parent,
                                     std::uint32_t flags, const MacroCommands& commands) {
  auto entry = std::make_unique<LibraryEntry>();
  entry->name = name;
  entry->kind = isGroup ? LibraryEntry::kKindGroup : LibraryEntry::kKindMacro;
  entry->parent = parent;
  entry->flags = flags;
  if (!isGroup) {
    entry->commands = commands;
    entry->size = MacroSize(commands);
  }
  entry->id = entries.empty() ? 1 : entries.back()->id + 1;
  entries.push_back(std::move(entry));
  return *entries.back();
}

LibraryEntry* MacroLibrary::FindMacroById(std::uint32_t id) const {
  if (id < 1) return nullptr;
  for (const auto& entry : entries) {
    if (entry->kind == LibraryEntry::kKindMacro && entry->id == id) return entry.get();
  }
  return nullptr;
}

std::u16string MacroLibrary::UniqueName(const std::u16string& base) const {
  std::vector<std::u16string> taken;
  taken.reserve(entries.size());
  for (const auto& entry : entries) taken.push_back(text::ToLower(entry->name));
  std::sort(taken.begin(), taken.end());
  std::u16string candidate;
  for (int n = 0; n < 2000; ++n) {
    candidate = text::FormatTemplate(u"%s %d", {text::TemplateArg::Text(base), text::TemplateArg::Int(n)});
    if (!std::binary_search(taken.begin(), taken.end(), text::ToLower(candidate))) break;
  }
  return candidate;
}

int MacroLibrary::RemoveEntry(const LibraryEntry* entry) {
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [entry](const std::unique_ptr<LibraryEntry>& held) { return held.get() == entry; });
  if (found == entries.end()) return 0;
  const std::uint32_t id = (*found)->id;
  entries.erase(found);
  if (id == 0) return 1;
  for (auto& device : devices) {
    for (int row = 0; row < kRowsClearedOnRemove; ++row) {
      for (auto& value : device.second.rows[static_cast<std::size_t>(row)]) {
        if (value == id) value = 0;
      }
    }
  }
  return 1;
}

void MacroLibrary::SwapContent(MacroLibrary& other) {
  entries.swap(other.entries);
  devices.swap(other.devices);
}
