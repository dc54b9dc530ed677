#include "device/MouseDirectory.h"

#include <algorithm>

#include "base/DiagLog.h"
#include "macro/MacroDirectory.h"

namespace {

std::uint32_t Word(const std::uint8_t* at) { return static_cast<std::uint32_t>(at[0] | (at[1] << 8)); }

}  // namespace

std::vector<MouseMacro> ParseMouseDirectory(const std::uint8_t* directory) {
  std::vector<MouseMacro> macros;
  for (int entry = 0; entry < device::kDirectoryEntries; ++entry) {
    const std::uint8_t* at = directory + entry * device::kDirectoryEntrySize;
    MouseMacro macro;
    macro.entry = entry;
    macro.start = Word(at);
    macro.end = Word(at + 2);
    if (macro.start == kEmptySlot) continue;
    if (macro.end < macro.start || macro.end >= kMacroAreaSize) {
      diag::Writef("directory entry %d ignored: %u-%u does not lie in the macro area", entry,
                   static_cast<unsigned>(macro.start), static_cast<unsigned>(macro.end));
      continue;
    }
    // Characters 1 to 12 at offset 4, 13 and 14 at offset 28: one run of 14.
    for (int i = 0; i < device::kDirectoryNameChars; ++i) {
      const auto unit = static_cast<char16_t>(Word(at + 4 + 2 * i));
      if (unit == 0) break;
      macro.name.push_back(unit);
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

bool ReadMouseMacros(device::HidLink& link, const device::DevicePath& path, std::vector<MouseMacro>& macros) {
  std::vector<std::uint8_t> directory;
  if (!ReadMouseDirectory(link, path, directory, nullptr)) return false;
  std::vector<MouseMacro> read = ParseMouseDirectory(directory.data());
  for (MouseMacro& macro : read) {
    std::uint8_t seven[device::kReadChunk] = {};
    if (device::ReadMemory7(link, path, kMacroAreaBase + static_cast<int>(macro.start), seven) != 1) return false;
    macro.mode = seven[0];
  }
  macros = std::move(read);
  return true;
}
