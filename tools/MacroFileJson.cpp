// Macro files ("*.mf") as JSON: the commands an import would take, then any
// bytes that would not become commands.
#include <algorithm>

#include "base/Utf16.h"
#include "macro/MacroFile.h"
#include "tools/FileJson.h"
#include "tools/JsonFields.h"

void DescribeMacroFile(const std::uint8_t* data, std::size_t size, FileDescription& description, std::ostream* out) {
  description.kind = FileKind::kMacro;
  ByteReader reader(data, size);
  ArchiveText magic;
  std::uint32_t count = 0;
  if (!ReadArchiveText(data, reader, magic) || !reader.ReadU32(count)) {
    description.problems.push_back({reader.FailOffset(), "the file ends before the byte count"});
    return;
  }
  const std::size_t start = reader.Offset();
  const std::size_t held = reader.Remaining();
  const std::size_t counted = std::min<std::size_t>(count, held);
  // An import reads at most 20000 bytes: the description is built whole.
  Json json = Json::object();
  json["file"] = "macro";
  if (!magic.IsCanonical()) json["magic"] = ArchiveTextToJson(magic);
  if (count != held) json["count"] = count;
  if (count > kMacroFileMaxBytes) {
    description.problems.push_back({start - 4, "the count " + std::to_string(count) + " is more than the " +
                                                   ByteCount(kMacroFileMaxBytes) + " an import reads"});
  }
  Json commands = Json::array();
  std::size_t commandCount = 0;
  std::size_t offset = 0;
  while (offset < counted) {
    std::uint8_t window[5] = {};
    std::copy_n(data + start + offset, std::min<std::size_t>(5, counted - offset), window);
    MacroCommand command;
    const int result = DecodeCommand(window, command);
    const std::size_t at = start + offset;
    if (result == kDecodedInvalid || IsEndOpcode(window[0]) || command.length > counted - offset) {
      if (result == kDecodedInvalid) {
        description.problems.push_back({at, "invalid opcode " + HexBytes(window, 1) + "; an import stops here"});
      } else if (command.length > counted - offset) {
        description.problems.push_back({at, "the command is cut short by the end of the macro bytes"});
      } else if (offset + 1 < counted) {
        description.problems.push_back(
            {at, "end opcode; an import ignores the " + ByteCount(counted - offset - 1) + " after it"});
      }
      break;
    }
    command.address = static_cast<std::uint32_t>(offset);
    std::fill(command.code + command.length, command.code + sizeof command.code, std::uint8_t{0});
    const std::string problem = CommandProblem(command, offset == 0, command.address);
    if (!problem.empty())
      description.problems.push_back(
          {at, problem + "; an import " + (offset == 0 ? "puts a mode command first" : "skips it")});
    if (out) commands.push_back(CommandToJson(command));
    ++commandCount;
    offset += command.length;
  }
  if (counted == 0) description.problems.push_back({start, "the file holds no macro bytes"});
  json["commands"] = std::move(commands);
  if (offset < held) json["tail"] = HexBytes(data + start + offset, held - offset);
  if (count < held) {
    description.problems.push_back(
        {start + count, ByteCount(held - count) + " after the " + std::to_string(count) + " the count claims"});
  } else if (count > held) {
    description.problems.push_back(
        {size, "the count claims " + ByteCount(count) + " but the file holds " + std::to_string(held)});
  }
  std::sort(description.problems.begin(), description.problems.end(),
            [](const FileProblem& a, const FileProblem& b) { return a.offset < b.offset; });
  description.readable = true;
  if (out) {
    WriteJson(*out, json);
    *out << '\n';
  }
  description.summary = std::to_string(commandCount) + (commandCount == 1 ? " command in " : " commands in ") +
                        std::to_string(counted) + " bytes";
}

bool BuildMacroFile(const Json& json, std::vector<std::uint8_t>& bytes, JsonError& error) {
  if (!ExpectObject(json, "a macro file", {"file", "magic", "count", "commands", "tail"}, error)) return false;
  ArchiveText magic = ArchiveText::Canonical(kMacroFileMagic);
  if (const Json* value = FindMember(json, "magic")) {
    if (!ArchiveTextFromJson(*value, "\"magic\"", magic, error)) return false;
    if (magic.text != kMacroFileMagic) return FailAt(*value, "the magic of a macro file is \"_@_MF1_\"", error);
  }
  std::vector<std::uint8_t> payload;
  if (const Json* list = FindMember(json, "commands")) {
    if (!ExpectArray(*list, "\"commands\"", error)) return false;
    for (const Json& item : *list) {
      MacroCommand command;
      const auto address = static_cast<std::uint32_t>(payload.size());
      if (!CommandFromJson(item, address, command, error)) return false;
      if (const Json* rest = FindMember(item, "rest")) {
        return FailAt(*rest, "a macro file keeps no bytes past a command's length", error);
      }
      if (command.address != address) {
        return FailAt(*FindMember(item, "address"),
                      "address " + std::to_string(command.address) + " should be " + std::to_string(address) +
                          ": the lengths before it decide it",
                      error);
      }
      payload.insert(payload.end(), command.code, command.code + command.length);
    }
  }
  if (const Json* tail = FindMember(json, "tail")) {
    std::vector<std::uint8_t> extra;
    if (!ParseHexBytes(*tail, "\"tail\"", extra, error)) return false;
    payload.insert(payload.end(), extra.begin(), extra.end());
  }
  if (payload.size() > 0xFFFFFFFFu) return FailAt(json, "the macro is too large", error);
  auto count = static_cast<std::uint32_t>(payload.size());
  if (!GetU32(json, "count", count, false, error)) return false;
  ByteWriter writer;
  WriteArchiveText(writer, magic);
  writer.WriteU32(count);
  writer.WriteBytes(payload.data(), payload.size());
  bytes = writer.Take();
  return true;
}
