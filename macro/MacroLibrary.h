#pragma once
// The user's macros and groups, kept in "macro.dat" together with the settings
// of every mouse the program has met.
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "macro/MacroCommand.h"

struct LibraryEntry {
  std::u16string name;
  std::uint32_t flags = 0;  // bit 0: a group is expanded
  std::uint32_t id = 0;
  std::uint32_t listedUngrouped = 0;  // set while the view is built; not stored
  std::uint32_t kind = 0;             // 1 group, 0 macro
  std::uint32_t parent = 0;           // a macro's group id; 0 or an unknown id when ungrouped
  std::uint32_t size = 0;             // a macro's size in bytes; a group's child count
  MacroCommands commands;             // mode command first; empty for a group

  bool IsGroup() const { return kind == kKindGroup; }
  static constexpr std::uint32_t kKindMacro = 0;
  static constexpr std::uint32_t kKindGroup = 1;
  static constexpr std::uint32_t kExpanded = 1;
};

constexpr int kProfileSlots = 200;
constexpr int kRowValues = 20;
constexpr int kStoredPairs = 10;
// Removing a macro clears it from the rows of these first profile slots.
constexpr int kRowsClearedOnRemove = 10;

struct DeviceProfileRecord {
  std::uint32_t profileCount = 0;
  std::array<std::array<std::uint32_t, kRowValues>, kProfileSlots> rows{};  // macro ids per button
  std::array<std::uint32_t, kProfileSlots> profileCode{};
  std::array<std::u16string, kProfileSlots> profileName;
  std::array<std::u16string, kProfileSlots> profileName2;
  std::array<std::uint32_t, kProfileSlots> valueA{};
  std::array<std::uint32_t, kProfileSlots> valueB{};
  std::array<std::uint32_t, kProfileSlots> valueC{};
  std::uint32_t currentProfile = 0;
  std::uint32_t profileSetting = 0;
  std::array<std::uint32_t, 20> pairFirst{};  // the first 10 are stored
  std::array<std::uint32_t, 20> pairSecond{};

  bool operator==(const DeviceProfileRecord& other) const;
};

class MacroLibrary {
 public:
  // In creation order; the entries stay where they are in memory while the
  // library changes, so a view may point at them.
  std::vector<std::unique_ptr<LibraryEntry>> entries;
  // Keyed by the mouse's identity; saved in key order.
  std::map<std::uint32_t, DeviceProfileRecord> devices;

  // Set when the library file could not be read, or was damaged and could
  // not be kept aside: that file stays as it is, and saves go here instead.
  std::filesystem::path savesGoTo;

  // Held around every load and save of the file.
  std::mutex& FileLock() const { return fileLock_; }

  // Appends a new entry; its id is 1 in an empty library, else the last
  // entry's id plus 1. A macro's size is the size of its commands.
  LibraryEntry& AddEntry(const std::u16string& name, bool isGroup, std::uint32_t parent, std::uint32_t flags,
                         const MacroCommands& commands);
  // The first macro (not group) with that id; ids below 1 find nothing.
  LibraryEntry* FindMacroById(std::uint32_t id) const;
  // `base` followed by " 0", " 1" ... " 1999": the first that no entry's name
  // equals without regard to case; the last one when all are taken.
  std::u16string UniqueName(const std::u16string& base) const;
  // Removes `entry`. A group's children keep their parent. Every button row
  // of the first ten profile slots of every mouse that played it is cleared.
  // Returns 1 when the entry was in the library.
  int RemoveEntry(const LibraryEntry* entry);
  // Replaces the whole content (not the lock) with `other`'s.
  void SwapContent(MacroLibrary& other);

 private:
  mutable std::mutex fileLock_;
};
