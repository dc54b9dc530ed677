#pragma once
// Macro files ("*.mf"): the magic "_@_MF1_" as an archive string, a u32 byte
// count N, then N bytes of the macro as EncodeMacro writes it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "macro/MacroCommand.h"

// An import reads at most this many macro bytes, so an export refuses a
// larger macro instead of writing a file that would come back cut.
constexpr std::size_t kMacroFileMaxBytes = 20000;

inline const char16_t* const kMacroFileMagic = u"_@_MF1_";

enum class MacroFileRead { kRead, kWrongMagic, kCannotOpen };

// The macro bytes of a file image: at most kMacroFileMaxBytes, and no more
// than the file holds when it is shorter than its count claims.
MacroFileRead ParseMacroFile(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& macroBytes);

std::vector<std::uint8_t> SerializeMacroFile(const MacroCommands& commands);

// Reads `file` into the editor list through ParseMacroBytes. A wrong magic or
// a file that cannot be opened leaves the editor unchanged.
MacroFileRead ImportMacroFile(const std::filesystem::path& file, MacroCommands& editor);

enum class MacroFileWrite { kWritten, kTooLarge, kCannotWrite };

// Writes the editor's macro to `file`, replacing it in one step. A macro larger
// than kMacroFileMaxBytes is refused and nothing is written.
MacroFileWrite ExportMacroFile(const std::filesystem::path& file, const MacroCommands& commands,
                               std::string* error = nullptr);

// The message for a refused export: `pattern` (the text table's) with the macro's size.
std::u16string MacroTooLargeText(const std::u16string& pattern, std::uint32_t macroSize);
