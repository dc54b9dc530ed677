// Backup files ("*.mbf") as JSON: the memory image as addressed hex lines, the
// macro directory it holds, decoded, the four DPI levels and the seven
// profile names.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "base/Utf16.h"
#include "device/BackupFile.h"
#include "device/MacroSpace.h"
#include "device/MouseDirectory.h"
#include "tools/FileJson.h"
#include "tools/JsonFields.h"

namespace {

constexpr std::size_t kLineBytes = 32;

std::string ImageLine(const std::uint8_t* data, std::size_t address, std::size_t count) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%04X: ", static_cast<unsigned>(address));
  return prefix + HexBytes(data + address, count);
}

std::string Range(std::uint32_t start, std::uint32_t end) { return std::to_string(start) + ".." + std::to_string(end); }

// The directory as the mouse reads it: each used entry in entry order, a
// listed one with its mode and step texts and the entries it shares bytes
// with, one the mouse leaves out with the reason. What the mouse cannot play
// goes to `problems`. An image shorter than the memory is read as a restore
// leaves the memory: zero behind it. Without `list` only the problems are
// found, which is all `check` needs.
void ReadDirectory(const std::uint8_t* data, std::size_t size, Json* list, std::vector<std::string>& problems) {
  device::MemoryImage image{};
  std::copy_n(data, std::min<std::size_t>(size, image.size()), image.begin());
  std::vector<LeftOutEntry> leftOut;
  const std::vector<MouseMacro> macros = ParseMouseDirectory(image.data(), &leftOut);
  const std::vector<std::pair<device::MacroRange, device::MacroRange>> overlaps = device::MacroSpace(macros).Overlaps();
  // One line for each entry that shares bytes with entries before it, so a
  // directory of 64 entries over the same bytes gives 63 lines, not 2,016.
  // Each entry's "entry N (start..end)" is made once, however many lines name it.
  std::map<int, std::string> overlapping;
  std::map<int, std::string> named;
  for (const auto& [first, second] : overlaps) {
    std::string& line = overlapping[second.entry];
    if (line.empty()) {
      line = "entry " + std::to_string(second.entry) + ": " + Range(second.start, second.End()) + " overlaps ";
    } else {
      line += ", ";
    }
    std::string& name = named[first.entry];
    if (name.empty()) name = "entry " + std::to_string(first.entry) + " (" + Range(first.start, first.End()) + ")";
    line += name;
  }
  std::multimap<int, std::string> found;
  for (auto& [entry, line] : overlapping) found.emplace(entry, std::move(line));
  for (const LeftOutEntry& entry : leftOut) {
    found.emplace(entry.entry, "entry " + std::to_string(entry.entry) + ": " + entry.reason);
  }
  for (const auto& [entry, problem] : found) problems.push_back(problem);
  if (!list) return;

  std::map<int, std::vector<int>> sharing;
  for (const auto& [first, second] : overlaps) {
    sharing[first.entry].push_back(second.entry);
    sharing[second.entry].push_back(first.entry);
  }
  std::map<int, Json> entries;
  for (const MouseMacro& macro : macros) {
    const std::uint8_t* bytes = image.data() + kMacroAreaBase + macro.start;
    Json entry{{"entry", macro.entry}, {"name", text::ToUtf8(macro.name)}, {"start", macro.start},
               {"end", macro.end},     {"mode", ToolModeText(bytes[0])}};
    // An entry sharing bytes with one that starts before it gets no steps: its
    // "overlaps" says why, and a damaged directory of entries that all cover
    // the whole area cannot make the listing 64 times the area.
    if (overlapping.count(macro.entry) == 0) {
      MacroCommands commands;
      ParseMacroBytes(commands, bytes, macro.Size());
      // The list starts with the mode command, or with one put in front of a macro that lacks it.
      Json steps = Json::array();
      for (std::size_t i = 1; i < commands.size(); ++i) steps.push_back(text::ToUtf8(ToolStepText(commands[i])));
      entry["steps"] = std::move(steps);
    }
    entries[macro.entry] = std::move(entry);
  }
  for (auto& [entry, with] : sharing) entries[entry]["overlaps"] = std::move(with);
  for (const LeftOutEntry& entry : leftOut) {
    entries[entry.entry] = Json{{"entry", entry.entry}, {"name", text::ToUtf8(entry.name)}, {"start", entry.start},
                                {"end", entry.end},     {"leftOut", entry.reason}};
  }
  *list = Json::array();
  for (auto& [entry, json] : entries) list->push_back(std::move(json));
}

}  // namespace

namespace {

// A file that cannot be described: the program's own reason when it has one.
void Unreadable(const std::uint8_t* data, std::size_t size, const ByteReader& reader, FileDescription& description) {
  description.entryProblems.clear();
  device::BackupFile backup;
  device::BackupProblem refusal;
  if (!device::DecodeBackupFile(data, size, backup, &refusal)) {
    description.problems.assign(1, {refusal.offset, refusal.what});
  } else {
    description.problems.assign(1, {reader.FailOffset(), reader.FailReason()});
  }
}

}  // namespace

void DescribeBackup(const std::uint8_t* data, std::size_t size, FileDescription& description, std::ostream* out) {
  description.kind = FileKind::kBackup;
  ByteReader reader(data, size);
  ArchiveText magic;
  std::uint32_t imageSize = 0;
  if (!ReadArchiveText(data, reader, magic) || !reader.ReadU32(imageSize) || !reader.CanHold(imageSize, 1)) {
    Unreadable(data, size, reader, description);
    return;
  }
  // A backup is small: its description is built whole, then written.
  Json json = Json::object();
  json["file"] = "backup";
  if (!magic.IsCanonical()) json["magic"] = ArchiveTextToJson(magic);
  const std::size_t imageAt = reader.Offset();
  Json image = Json::array();
  for (std::size_t address = 0; out && address < imageSize; address += kLineBytes) {
    image.push_back(ImageLine(data + imageAt, address, std::min<std::size_t>(kLineBytes, imageSize - address)));
  }
  json["image"] = std::move(image);
  if (imageSize >= static_cast<std::uint32_t>(kDirectoryBytes)) {
    Json directory;
    ReadDirectory(data + imageAt, imageSize, out ? &directory : nullptr, description.entryProblems);
    if (out) json["directory"] = std::move(directory);
  }
  reader.Skip(imageSize);
  Json levels = Json::array();
  for (int level = 0; level < device::kBackupLevels; ++level) {
    const std::size_t at = reader.Offset();
    std::uint8_t x = 0, y = 0;
    if (!reader.ReadU8(x) || !reader.ReadU8(y)) break;
    if (device::HasZeroStep({x, y})) {
      description.problems.push_back({at + (x == 0 ? 0 : 1), "DPI level " + std::to_string(level) +
                                                                 ": a step of 0; a restore leaves this level as it is"});
    }
    levels.push_back(Json::array({x, y}));
  }
  json["levels"] = std::move(levels);
  Json names = Json::array();
  for (int profile = 0; profile < device::kBackupProfiles && !reader.Failed(); ++profile) {
    const std::size_t at = reader.Offset();
    ArchiveText name;
    if (!ReadArchiveText(data, reader, name)) break;
    if (name.text.size() > device::kProfileNameUnits) {
      description.problems.push_back({at, "profile name " + std::to_string(profile) + " has " +
                                              std::to_string(name.text.size()) + " characters; the mouse keeps 8"});
    }
    names.push_back(ArchiveTextToJson(name));
  }
  if (reader.Failed()) {
    Unreadable(data, size, reader, description);
    return;
  }
  json["names"] = std::move(names);
  if (!reader.AtEnd()) {
    description.problems.push_back({reader.Offset(), std::to_string(reader.Remaining()) +
                                                         " bytes after the last profile name; a restore ignores them"});
    json["trailing"] = HexBytes(data + reader.Offset(), reader.Remaining());
  }
  // What a restore would refuse, in the program's own words.
  device::BackupFile backup;
  device::BackupProblem refusal;
  if (!device::DecodeBackupFile(data, size, backup, &refusal)) {
    description.problems.push_back({refusal.offset, refusal.what + "; a restore refuses the file"});
  }
  std::stable_sort(description.problems.begin(), description.problems.end(),
                   [](const FileProblem& a, const FileProblem& b) { return a.offset < b.offset; });
  description.readable = true;
  if (out) {
    WriteJson(*out, json);
    *out << '\n';
  }
  description.summary = ByteCount(imageSize) + " of memory, 4 DPI levels, 7 profile names";
}

bool BuildBackup(const Json& json, std::vector<std::uint8_t>& bytes, JsonError& error) {
  if (!ExpectObject(json, "a backup", {"file", "magic", "image", "directory", "levels", "names", "trailing"}, error)) {
    return false;
  }
  ArchiveText magic = ArchiveText::Canonical(device::kBackupMagic);
  if (const Json* value = FindMember(json, "magic")) {
    if (!ArchiveTextFromJson(*value, "\"magic\"", magic, error)) return false;
    if (magic.text != device::kBackupMagic) return FailAt(*value, "the magic of a backup is \"_@_MBF1_\"", error);
  }
  // "directory" is read from the image; the image alone is written.
  const Json* image = FindMember(json, "image");
  const Json* levels = FindMember(json, "levels");
  const Json* names = FindMember(json, "names");
  if (!image || !levels || !names) return FailAt(json, "a backup needs \"image\", \"levels\" and \"names\"", error);
  if (!ExpectArray(*image, "\"image\"", error) || !ExpectArray(*levels, "\"levels\"", error) ||
      !ExpectArray(*names, "\"names\"", error)) {
    return false;
  }
  std::vector<std::uint8_t> memory;
  for (const Json& line : *image) {
    if (!line.is_string()) return FailAt(line, "an image line must be a string", error);
    // An address in front must be where the line's bytes go, so a lost or
    // doubled line is found instead of shifting the rest of the image.
    const std::string& text = line.get_ref<const std::string&>();
    std::size_t bodyAt = 0;
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos) {
      std::uint32_t address = 0;
      for (std::size_t i = 0; i < colon; ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0 || address > 0xFFFFFFF) return FailAt(line, "an image line's address must be hex digits", error);
        address = address * 16 + static_cast<std::uint32_t>(digit);
      }
      if (address != memory.size()) {
        return FailAt(line,
                      "this image line says address " + std::to_string(address) + " but its bytes start at " +
                          std::to_string(memory.size()),
                      error);
      }
      bodyAt = colon + 1;
    }
    std::vector<std::uint8_t> lineBytes;
    if (!ParseHexBytes(line, text.substr(bodyAt), "an image line", lineBytes, error)) return false;
    memory.insert(memory.end(), lineBytes.begin(), lineBytes.end());
  }
  if (levels->size() != device::kBackupLevels) return FailAt(*levels, "\"levels\" holds 4 pairs", error);
  if (names->size() != device::kBackupProfiles) return FailAt(*names, "\"names\" holds 7 names", error);
  ByteWriter writer;
  WriteArchiveText(writer, magic);
  writer.WriteU32(static_cast<std::uint32_t>(memory.size()));
  writer.WriteBytes(memory.data(), memory.size());
  for (const Json& pair : *levels) {
    if (!pair.is_array() || pair.size() != 2) {
      return FailAt(pair, "a level must be an array of two steps [x, y]", error);
    }
    for (const Json& step : pair) {
      std::uint32_t value = 0;
      if (!ToU32(step, "a step", value, error)) return false;
      if (value > 255) return FailAt(step, "a step must be 0 to 255", error);
      writer.WriteU8(static_cast<std::uint8_t>(value));
    }
  }
  for (const Json& item : *names) {
    ArchiveText name;
    if (!ArchiveTextFromJson(item, "a profile name", name, error)) return false;
    WriteArchiveText(writer, name);
  }
  if (const Json* trailing = FindMember(json, "trailing")) {
    std::vector<std::uint8_t> extra;
    if (!ParseHexBytes(*trailing, "\"trailing\"", extra, error)) return false;
    writer.WriteBytes(extra.data(), extra.size());
  }
  bytes = writer.Take();
  return true;
}
