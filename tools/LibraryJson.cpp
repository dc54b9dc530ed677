// "macro.dat" as JSON: every entry with its commands, every device record with
// the values that differ from a fresh record.
#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "base/Utf16.h"
#include "tools/FileJson.h"
#include "tools/JsonFields.h"

namespace {

constexpr std::size_t kPairs = kStoredPairs;
// A stored command: address, length and five code bytes.
constexpr std::size_t kCommandRecordBytes = 4 + 4 + 5;

Json KindToJson(std::uint32_t kind) {
  if (kind == LibraryEntry::kKindMacro) return "macro";
  if (kind == LibraryEntry::kKindGroup) return "group";
  return kind;
}

void Problem(FileDescription& description, std::size_t offset, std::string what) {
  description.problems.push_back({offset, std::move(what)});
}

std::string EntryName(std::size_t index, const std::u16string& name) {
  return "entry " + std::to_string(index) + " \"" + text::ToUtf8(name) + "\"";
}

bool ReadU32At(ByteReader& reader, std::uint32_t& value, std::size_t& at) {
  at = reader.Offset();
  return reader.ReadU32(value);
}

// Reads one entry into JSON and notes what the program would not keep as it is.
bool ReadEntry(const std::uint8_t* data, ByteReader& reader, std::size_t index, Json& json,
               std::set<std::uint32_t>& ids, FileDescription& description, bool withCommands) {
  std::uint32_t id = 0, kind = 0, parent = 0, size = 0, flags = 0, count = 0;
  std::size_t idAt = 0, kindAt = 0, sizeAt = 0, at = 0;
  ArchiveText name;
  if (!ReadU32At(reader, id, idAt) || !ReadU32At(reader, kind, kindAt) || !ReadArchiveText(data, reader, name) ||
      !reader.ReadU32(parent) || !ReadU32At(reader, size, sizeAt) || !reader.ReadU32(flags) || !reader.ReadU32(count) ||
      !reader.CanHold(count, kCommandRecordBytes)) {
    return false;
  }
  const std::string who = EntryName(index, name.text);
  if (!ids.insert(id).second)
    Problem(description, idAt, who + " has the id " + std::to_string(id) + " of an earlier entry");
  if (kind != LibraryEntry::kKindMacro && kind != LibraryEntry::kKindGroup) {
    Problem(description, kindAt, who + " has kind " + std::to_string(kind) + ", neither macro (0) nor group (1)");
  }
  json["id"] = id;
  json["kind"] = KindToJson(kind);
  json["name"] = ArchiveTextToJson(name);
  json["parent"] = parent;
  json["size"] = size;
  json["flags"] = flags;
  Json commands = Json::array();
  std::uint32_t address = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    MacroCommand command;
    const std::size_t commandAt = reader.Offset();
    if (!reader.ReadU32(command.address) || !ReadU32At(reader, command.length, at) ||
        !reader.ReadBytes(command.code, sizeof command.code)) {
      return false;
    }
    if (command.length < 1 || command.length > sizeof command.code) {
      reader.FailAt(at, "command length " + std::to_string(command.length) + " is not 1 to 5");
      return false;
    }
    if (kind == LibraryEntry::kKindMacro) {
      const std::string problem = CommandProblem(command, i == 0, address);
      if (!problem.empty()) Problem(description, commandAt, who + ", command " + std::to_string(i) + ": " + problem);
    }
    address = command.address + command.length;
    if (withCommands) commands.push_back(CommandToJson(command));
  }
  if (kind == LibraryEntry::kKindGroup && count != 0) {
    Problem(description, sizeAt + 8, who + " is a group but carries " + std::to_string(count) + " commands");
  }
  if (kind == LibraryEntry::kKindMacro && count == 0)
    Problem(description, sizeAt + 8, who + " is a macro without commands");
  if (kind == LibraryEntry::kKindMacro && count != 0 && size != address) {
    Problem(description, sizeAt,
            who + " gives its size as " + std::to_string(size) + " but its commands take " + ByteCount(address));
  }
  if (count != 0 || kind != LibraryEntry::kKindGroup) json["commands"] = std::move(commands);
  return true;
}

Json Numbers(const std::uint32_t* values, std::size_t count) {
  Json array = Json::array();
  for (std::size_t i = 0; i < count; ++i) array.push_back(values[i]);
  return array;
}

bool AnyNonZero(const std::uint32_t* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (values[i] != 0) return true;
  }
  return false;
}

bool ReadDevice(const std::uint8_t* data, ByteReader& reader, Json& json, std::set<std::uint32_t>& keys,
                FileDescription& description) {
  std::uint32_t key = 0, profileCount = 0, currentProfile = 0, profileSetting = 0;
  std::size_t keyAt = 0;
  if (!ReadU32At(reader, key, keyAt) || !reader.ReadU32(profileCount) || !reader.ReadU32(currentProfile) ||
      !reader.ReadU32(profileSetting)) {
    return false;
  }
  if (!keys.insert(key).second) {
    Problem(description, keyAt,
            "device record " + std::to_string(key) + " appears twice; the program keeps only the last");
  }
  json["key"] = key;
  json["profileCount"] = profileCount;
  json["currentProfile"] = currentProfile;
  json["profileSetting"] = profileSetting;
  std::uint32_t pairs[kPairs][2] = {};
  bool anyPair = false;
  for (auto& pair : pairs) {
    if (!reader.ReadU32(pair[0]) || !reader.ReadU32(pair[1])) return false;
    anyPair = anyPair || pair[0] != 0 || pair[1] != 0;
  }
  if (anyPair) {
    Json array = Json::array();
    for (const auto& pair : pairs) array.push_back(Numbers(pair, 2));
    json["pairs"] = std::move(array);
  }
  Json profiles = Json::array();
  for (std::uint32_t slot = 0; slot < kProfileSlots; ++slot) {
    std::uint32_t code = 0, codeAgain = 0, row[kRowValues] = {}, valueA = 0, valueB = 0, valueC = 0;
    ArchiveText name, name2;
    std::size_t againAt = 0;
    if (!reader.ReadU32(code)) return false;
    for (auto& value : row) {
      if (!reader.ReadU32(value)) return false;
    }
    if (!ReadArchiveText(data, reader, name) || !ReadArchiveText(data, reader, name2) ||
        !ReadU32At(reader, codeAgain, againAt) || !reader.ReadU32(valueA) || !reader.ReadU32(valueB) ||
        !reader.ReadU32(valueC)) {
      return false;
    }
    Json profile = Json::object();
    profile["slot"] = slot;
    if (codeAgain != 0) profile["code"] = codeAgain;
    if (code != codeAgain) {
      profile["codeFirst"] = code;
      Problem(description, againAt,
              "device record " + std::to_string(key) + ", profile slot " + std::to_string(slot) +
                  ": the two copies of the profile code differ; the program keeps the second");
    }
    if (AnyNonZero(row, kRowValues)) profile["row"] = Numbers(row, kRowValues);
    if (!name.IsCanonical() || !name.text.empty()) profile["name"] = ArchiveTextToJson(name);
    if (!name2.IsCanonical() || !name2.text.empty()) profile["name2"] = ArchiveTextToJson(name2);
    if (valueA != 0) profile["valueA"] = valueA;
    if (valueB != 0) profile["valueB"] = valueB;
    if (valueC != 0) profile["valueC"] = valueC;
    if (profile.size() > 1) profiles.push_back(std::move(profile));
  }
  json["profiles"] = std::move(profiles);
  return true;
}

}  // namespace

void DescribeLibrary(const std::uint8_t* data, std::size_t size, FileDescription& description, std::ostream* out) {
  description.kind = FileKind::kLibrary;
  // The program's own reader decides whether the file can be loaded at all.
  MacroLibrary library;
  FileProblem damage;
  if (ParseLibrary(data, size, library, &damage) != LibraryParse::kParsed) {
    description.problems.push_back(damage);
    return;
  }
  // A library may hold thousands of macros: each entry and record is written
  // as soon as it is read, so the description never stands whole in memory.
  // DescribeFile writes only what an earlier pass found readable.
  std::optional<JsonStream> stream;
  if (out) stream.emplace(*out);
  ByteReader reader(data, size);
  ArchiveText magic;
  if (stream) {
    stream->BeginObject();
    stream->Member("file", "library");
  }
  std::uint32_t entryCount = 0;
  if (ReadArchiveText(data, reader, magic) && !magic.IsCanonical() && stream) {
    stream->Member("magic", ArchiveTextToJson(magic));
  }
  reader.ReadU32(entryCount);
  if (stream) stream->BeginArray("entries");
  std::set<std::uint32_t> ids;
  for (std::uint32_t i = 0; i < entryCount && !reader.Failed(); ++i) {
    Json entry = Json::object();
    if (!ReadEntry(data, reader, i, entry, ids, description, out != nullptr)) break;
    if (stream) stream->Item(entry);
  }
  if (stream) stream->EndArray();
  std::uint32_t deviceCount = 0;
  reader.ReadU32(deviceCount);
  if (stream) stream->BeginArray("devices");
  std::set<std::uint32_t> keys;
  for (std::uint32_t i = 0; i < deviceCount && !reader.Failed(); ++i) {
    Json device = Json::object();
    if (ReadDevice(data, reader, device, keys, description) && stream) stream->Item(device);
  }
  if (stream) stream->EndArray();
  if (reader.Failed()) {
    description.problems.assign(1, {reader.FailOffset(), reader.FailReason()});
    return;
  }
  if (!reader.AtEnd()) {
    Problem(
        description, reader.Offset(),
        ByteCount(reader.Remaining()) + " of unknown content after the last record; the program drops them on save");
    if (stream) stream->Member("trailing", HexBytes(data + reader.Offset(), reader.Remaining()));
  }
  std::stable_sort(description.problems.begin(), description.problems.end(),
                   [](const FileProblem& a, const FileProblem& b) { return a.offset < b.offset; });
  if (stream) stream->EndObject();
  description.readable = true;
  description.summary = std::to_string(entryCount) + (entryCount == 1 ? " entry, " : " entries, ") +
                        std::to_string(deviceCount) + (deviceCount == 1 ? " device record" : " device records");
}

namespace {

bool BuildCommands(const Json& json, ByteWriter& writer, std::uint32_t& size, JsonError& error) {
  if (!ExpectArray(json, "\"commands\"", error)) return false;
  writer.WriteU32(static_cast<std::uint32_t>(json.size()));
  std::uint32_t address = 0;
  for (const Json& item : json) {
    MacroCommand command;
    if (!CommandFromJson(item, address, command, error)) return false;
    writer.WriteU32(command.address);
    writer.WriteU32(command.length);
    writer.WriteBytes(command.code, sizeof command.code);
    address = command.address + command.length;
  }
  size = address;
  return true;
}

bool BuildEntry(const Json& json, std::uint32_t& nextId, const std::map<std::uint32_t, std::uint32_t>& children,
                ByteWriter& writer, JsonError& error) {
  if (!ExpectObject(json, "an entry", {"id", "kind", "name", "parent", "size", "flags", "commands"}, error))
    return false;
  std::uint32_t id = nextId, kind = LibraryEntry::kKindMacro, parent = 0, flags = 0;
  if (!GetU32(json, "id", id, false, error) || !GetU32(json, "parent", parent, false, error) ||
      !GetU32(json, "flags", flags, false, error)) {
    return false;
  }
  if (const Json* kindValue = FindMember(json, "kind")) {
    if (kindValue->is_string() && (*kindValue == "macro" || *kindValue == "group")) {
      kind = *kindValue == "group" ? LibraryEntry::kKindGroup : LibraryEntry::kKindMacro;
    } else if (!kindValue->is_number() || !ToU32(*kindValue, "kind", kind, error)) {
      return FailAt(*kindValue, "\"kind\" must be \"macro\", \"group\" or a number", error);
    }
  }
  ArchiveText name;
  const Json* nameValue = FindMember(json, "name");
  if (!nameValue) return FailAt(json, "an entry needs a \"name\"", error);
  if (!ArchiveTextFromJson(*nameValue, "\"name\"", name, error)) return false;
  ByteWriter commands;
  std::uint32_t commandBytes = 0;
  if (const Json* list = FindMember(json, "commands")) {
    if (!BuildCommands(*list, commands, commandBytes, error)) return false;
  } else {
    commands.WriteU32(0);
  }
  std::uint32_t size = kind == LibraryEntry::kKindGroup ? 0 : commandBytes;
  if (kind == LibraryEntry::kKindGroup) {
    const auto found = children.find(id);
    if (found != children.end()) size = found->second;
  }
  if (!GetU32(json, "size", size, false, error)) return false;
  writer.WriteU32(id);
  writer.WriteU32(kind);
  WriteArchiveText(writer, name);
  writer.WriteU32(parent);
  writer.WriteU32(size);
  writer.WriteU32(flags);
  writer.WriteBytes(commands.Bytes().data(), commands.Bytes().size());
  nextId = id + 1;
  return true;
}

bool OptionalText(const Json& json, const char* name, ArchiveText& text, JsonError& error) {
  text = ArchiveText::Canonical(u"");
  const Json* value = FindMember(json, name);
  return !value || ArchiveTextFromJson(*value, name, text, error);
}

bool NumberArray(const Json& json, const char* name, std::uint32_t* out, std::size_t most, JsonError& error) {
  const Json* value = FindMember(json, name);
  if (!value) return true;
  if (!ExpectArray(*value, name, error)) return false;
  if (value->size() > most) {
    return FailAt(*value, std::string("\"") + name + "\" holds at most " + std::to_string(most) + " values", error);
  }
  for (std::size_t i = 0; i < value->size(); ++i) {
    if (!ToU32((*value)[i], name, out[i], error)) return false;
  }
  return true;
}

bool BuildDevice(const Json& json, ByteWriter& writer, JsonError& error) {
  if (!ExpectObject(json, "a device record",
                    {"key", "profileCount", "currentProfile", "profileSetting", "pairs", "profiles"}, error)) {
    return false;
  }
  std::uint32_t key = 0, profileCount = 0, currentProfile = 0, profileSetting = 0;
  if (!GetU32(json, "key", key, true, error) || !GetU32(json, "profileCount", profileCount, false, error) ||
      !GetU32(json, "currentProfile", currentProfile, false, error) ||
      !GetU32(json, "profileSetting", profileSetting, false, error)) {
    return false;
  }
  std::uint32_t pairs[kPairs][2] = {};
  if (const Json* list = FindMember(json, "pairs")) {
    if (!ExpectArray(*list, "\"pairs\"", error)) return false;
    if (list->size() > kPairs) return FailAt(*list, "\"pairs\" holds at most 10 pairs", error);
    for (std::size_t k = 0; k < list->size(); ++k) {
      const Json& pair = (*list)[k];
      if (!pair.is_array() || pair.size() != 2) {
        return FailAt(pair, "a pair must be an array of two numbers", error);
      }
      if (!ToU32(pair[0], "a pair value", pairs[k][0], error) ||
          !ToU32(pair[1], "a pair value", pairs[k][1], error)) {
        return false;
      }
    }
  }
  struct Slot {
    std::uint32_t code = 0, codeFirst = 0, row[kRowValues] = {}, valueA = 0, valueB = 0, valueC = 0;
    ArchiveText name = ArchiveText::Canonical(u""), name2 = ArchiveText::Canonical(u"");
  };
  std::vector<Slot> slots(kProfileSlots);
  std::vector<bool> seen(kProfileSlots, false);
  if (const Json* list = FindMember(json, "profiles")) {
    if (!ExpectArray(*list, "\"profiles\"", error)) return false;
    for (const Json& profile : *list) {
      if (!ExpectObject(profile, "a profile",
                        {"slot", "code", "codeFirst", "row", "name", "name2", "valueA", "valueB", "valueC"}, error)) {
        return false;
      }
      std::uint32_t index = 0;
      if (!GetU32(profile, "slot", index, true, error)) return false;
      if (index >= kProfileSlots) return FailAt(*FindMember(profile, "slot"), "\"slot\" must be 0 to 199", error);
      if (seen[index])
        return FailAt(*FindMember(profile, "slot"), "profile slot " + std::to_string(index) + " is given twice", error);
      seen[index] = true;
      Slot& slot = slots[index];
      if (!GetU32(profile, "code", slot.code, false, error)) return false;
      slot.codeFirst = slot.code;
      if (!GetU32(profile, "codeFirst", slot.codeFirst, false, error) ||
          !NumberArray(profile, "row", slot.row, kRowValues, error) ||
          !OptionalText(profile, "name", slot.name, error) || !OptionalText(profile, "name2", slot.name2, error) ||
          !GetU32(profile, "valueA", slot.valueA, false, error) ||
          !GetU32(profile, "valueB", slot.valueB, false, error) ||
          !GetU32(profile, "valueC", slot.valueC, false, error)) {
        return false;
      }
    }
  }
  writer.WriteU32(key);
  writer.WriteU32(profileCount);
  writer.WriteU32(currentProfile);
  writer.WriteU32(profileSetting);
  for (const auto& pair : pairs) {
    writer.WriteU32(pair[0]);
    writer.WriteU32(pair[1]);
  }
  for (const Slot& slot : slots) {
    writer.WriteU32(slot.codeFirst);
    for (std::uint32_t value : slot.row) writer.WriteU32(value);
    WriteArchiveText(writer, slot.name);
    WriteArchiveText(writer, slot.name2);
    writer.WriteU32(slot.code);
    writer.WriteU32(slot.valueA);
    writer.WriteU32(slot.valueB);
    writer.WriteU32(slot.valueC);
  }
  return true;
}

}  // namespace

bool BuildLibrary(const Json& json, std::vector<std::uint8_t>& bytes, JsonError& error) {
  if (!ExpectObject(json, "a library", {"file", "magic", "entries", "devices", "trailing"}, error)) return false;
  ArchiveText magic = ArchiveText::Canonical(kLibraryMagic);
  if (const Json* value = FindMember(json, "magic")) {
    if (!ArchiveTextFromJson(*value, "\"magic\"", magic, error)) return false;
    if (magic.text != kLibraryMagic) return FailAt(*value, "the magic of a library is \"_@_MF3_\"", error);
  }
  ByteWriter writer;
  WriteArchiveText(writer, magic);
  const Json* entries = FindMember(json, "entries");
  if (entries && !ExpectArray(*entries, "\"entries\"", error)) return false;
  // A group's size is its child count, as the program computes it before a save.
  std::map<std::uint32_t, std::uint32_t> children;
  if (entries) {
    for (const Json& entry : *entries) {
      const Json* parent = FindMember(entry, "parent");
      if (parent && parent->is_number_unsigned() && parent->get<std::uint64_t>() > 0 &&
          parent->get<std::uint64_t>() <= 0xFFFFFFFFull) {
        ++children[static_cast<std::uint32_t>(parent->get<std::uint64_t>())];
      }
    }
  }
  writer.WriteU32(entries ? static_cast<std::uint32_t>(entries->size()) : 0);
  std::uint32_t nextId = 1;
  if (entries) {
    for (const Json& entry : *entries) {
      if (!BuildEntry(entry, nextId, children, writer, error)) return false;
    }
  }
  const Json* devices = FindMember(json, "devices");
  if (devices && !ExpectArray(*devices, "\"devices\"", error)) return false;
  writer.WriteU32(devices ? static_cast<std::uint32_t>(devices->size()) : 0);
  if (devices) {
    for (const Json& device : *devices) {
      if (!BuildDevice(device, writer, error)) return false;
    }
  }
  if (const Json* trailing = FindMember(json, "trailing")) {
    std::vector<std::uint8_t> extra;
    if (!ParseHexBytes(*trailing, "\"trailing\"", extra, error)) return false;
    writer.WriteBytes(extra.data(), extra.size());
  }
  bytes = writer.Take();
  return true;
}
