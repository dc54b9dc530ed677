#pragma once
// The macros the mouse holds, as its directory at the start of its memory
// lists them: 64 entries of 32 bytes, each with the macro's first and last
// byte in the macro area and a name of up to 14 characters. The window and
// the companion tool both read it through here.
#include <cstdint>
#include <string>
#include <vector>

#include "device/HidLink.h"
#include "device/MemoryImage.h"

struct MouseMacro {
  int entry = 0;
  std::u16string name;
  std::uint32_t start = 0;
  std::uint32_t end = 0;  // inclusive
  std::uint32_t mode = 0;  // the macro's first byte, once read
  std::uint32_t Size() const { return end - start + 1; }
};

inline constexpr int kDirectoryBytes = device::kDirectoryEntries * device::kDirectoryEntrySize;
// Directory addresses count from the first byte after the directory.
inline constexpr int kMacroAreaBase = kDirectoryBytes;

// A used entry the directory leaves out, and why, so that the user can be
// told what the list does not show.
struct LeftOutEntry {
  int entry = 0;
  std::u16string name;
  std::uint32_t start = 0;
  std::uint32_t end = 0;
  std::string reason;  // "its end 40 lies before its start 50"
};

// The used entries of a directory image of kDirectoryBytes bytes. Empty
// entries, entries that reach past the macro area and entries whose end lies
// before their start are left out (and logged, and added to `leftOut` when
// given): the mouse cannot be playing them.
std::vector<MouseMacro> ParseMouseDirectory(const std::uint8_t* directory, std::vector<LeftOutEntry>* leftOut = nullptr);

// Reads the directory's bytes off the mouse, 7 per request; false at the first
// request the mouse does not take.
bool ReadMouseDirectory(device::HidLink& link, const device::DevicePath& path,
                        std::vector<std::uint8_t>& directory, const device::Progress& progress);

// The directory and each listed macro's mode byte. False, with `macros` and
// `leftOut` untouched, when the mouse stops answering part way. `progress`
// follows the directory's read.
bool ReadMouseMacros(device::HidLink& link, const device::DevicePath& path, std::vector<MouseMacro>& macros,
                     std::vector<LeftOutEntry>* leftOut = nullptr, const device::Progress& progress = nullptr);
