#include "macro/MacroFile.h"

#include <algorithm>

#include "base/ArchiveString.h"
#include "base/AtomicFile.h"
#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "base/TemplateFormatter.h"

namespace {

// The magic in its longest legal form, the count, and the largest import.
constexpr std::size_t kMostBytesRead = 64 + 4 + kMacroFileMaxBytes;

}  // namespace

MacroFileRead ParseMacroFile(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& macroBytes) {
  ByteReader reader(data, size);
  std::u16string magic;
  if (!ReadArchiveString(reader, magic) || magic != kMacroFileMagic) return MacroFileRead::kWrongMagic;
  std::uint32_t count = 0;
  if (!reader.ReadU32(count)) count = 0;
  const std::size_t take = std::min<std::size_t>({count, kMacroFileMaxBytes, reader.Remaining()});
  std::vector<std::uint8_t> bytes(take);
  reader.ReadBytes(bytes.data(), take);
  macroBytes.swap(bytes);
  return MacroFileRead::kRead;
}

std::vector<std::uint8_t> SerializeMacroFile(const MacroCommands& commands) {
  const std::vector<std::uint8_t> macro = EncodeMacro(commands);
  ByteWriter writer;
  WriteArchiveString(writer, kMacroFileMagic);
  writer.WriteU32(static_cast<std::uint32_t>(macro.size()));
  writer.WriteBytes(macro.data(), macro.size());
  return writer.Take();
}

MacroFileRead ImportMacroFile(const std::filesystem::path& file, MacroCommands& editor) {
  std::vector<std::uint8_t> image;
  if (ReadFileBytes(file, image, kMostBytesRead) != FileReadResult::kRead) return MacroFileRead::kCannotOpen;
  std::vector<std::uint8_t> macroBytes;
  const MacroFileRead result = ParseMacroFile(image.data(), image.size(), macroBytes);
  if (result != MacroFileRead::kRead) return result;
  ParseMacroBytes(editor, macroBytes.data(), macroBytes.size());
  return result;
}

MacroFileWrite ExportMacroFile(const std::filesystem::path& file, const MacroCommands& commands, std::string* error) {
  const std::uint32_t size = MacroSize(commands);
  if (size > kMacroFileMaxBytes || EncodeMacro(commands).size() > kMacroFileMaxBytes) {
    if (error) *error = "macro of " + std::to_string(size) + " bytes is larger than a macro file can carry";
    return MacroFileWrite::kTooLarge;
  }
  return WriteFileAtomically(file, SerializeMacroFile(commands), error) ? MacroFileWrite::kWritten
                                                                         : MacroFileWrite::kCannotWrite;
}

std::u16string MacroTooLargeText(const std::u16string& pattern, std::uint32_t macroSize) {
  return text::FormatTemplate(pattern, {text::TemplateArg::Int(macroSize)});
}
