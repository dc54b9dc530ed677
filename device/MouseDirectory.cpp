#include "device/MouseDirectory.h"

#include <algorithm>

#include "base/DiagLog.h"
#include "macro/MacroDirectory.h"

namespace {

std::uint32_t Word(const std::uint8_t* at) { return static_cast<std::uint32_t>(at[0] | (at[1] << 8)); }

}  // namespace

std::vector<MouseMacro> ParseMouseDirectory(const std::uint8_t* directory, std::vector<LeftOutEntry>* leftOut) {
  std::vector<MouseMacro> macros;
  for (int entry = 0; entry < device::kDirectoryEntries; ++entry) {
    const std::uint8_t* at = directory + entry * device::kDirectoryEntrySize;
    MouseMacro macro;
    macro.entry = entry;
    macro.start = Word(at);
    macro.end = Word(at + 2);
    if (macro.start == kEmptySlot) continue;
    // Characters 1 to 12 at offset 4, 13 and 14 at offset 28: one run of 14.
    for (int i = 0; i < device::kDirectoryNameChars; ++i) {
      const auto unit = static_cast<char16_t>(Word(at + 4 + 2 * i));
      if (unit == 0) break;
      macro.name.push_back(unit);
    }
    if (macro.end < macro.start || macro.end >= kMacroAreaSize) {
      diag::Writef("directory entry %d ignored: %u-%u does not lie in the macro area", entry,
                   static_cast<unsigned>(macro.start), static_cast<unsigned>(macro.end));
      if (!leftOut) continue;
      const std::string start = std::to_string(macro.start), end = std::to_string(macro.end);
      leftOut->push_back({entry, macro.name, macro.start, macro.end,
                          macro.end < macro.start ? "its end " + end + " lies before its start " + start
                                                  : start + ".." + end + " reaches past the " +
                                                        std::to_string(kMacroAreaSize) + " bytes of the macro area"});
      continue;
    }
    macros.push_back(macro);
  }
  return macros;
}

bool ReadMouseDirectory(device::HidLink& link, const device::DevicePath& path,
                        std::vector<std::uint8_t>& directory, const device::Progress& progress) {
  directory.assign(kDirectoryBytes + device::kReadChunk, 0);
  for (int address = 0; address < kDirectoryBytes; address += device::kReadChunk) {
    if (device::ReadMemory7(link, path, address, directory.data() + address) != 1) return false;
    if (progress) progress(static_cast<double>(std::min(address + device::kReadChunk, kDirectoryBytes)) / kDirectoryBytes);
  }
  directory.resize(kDirectoryBytes);
  return true;
}

bool ReadMouseMacros(device::HidLink& link, const device::DevicePath& path, std::vector<MouseMacro>& macros,
                     std::vector<LeftOutEntry>* leftOut, const device::Progress& progress) {
  std::vector<std::uint8_t> directory;
  if (!ReadMouseDirectory(link, path, directory, progress)) return false;
  std::vector<LeftOutEntry> left;
  std::vector<MouseMacro> read = ParseMouseDirectory(directory.data(), &left);
  for (MouseMacro& macro : read) {
    std::uint8_t seven[device::kReadChunk] = {};
    if (device::ReadMemory7(link, path, kMacroAreaBase + static_cast<int>(macro.start), seven) != 1) return false;
    macro.mode = seven[0];
  }
  macros = std::move(read);
  if (leftOut) *leftOut = std::move(left);
  return true;
}
