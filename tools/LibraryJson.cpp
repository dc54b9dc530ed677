// "macro.dat" as JSON: every entry with its commands, every device record with
// the values that differ from a fresh record.
#include <algorithm>
#include <map>
#include <set>

#include "base/Utf16.h"
#include "tools/FileJson.h"
#include "tools/JsonFields.h"

namespace {

constexpr std::size_t kPairs = kStoredPairs;
// A stored command: address, length and five code bytes.
constexpr std::size_t kCommandRecordBytes = 4 + 4 + 5;

JsonValue Hex(const std::uint8_t* data, std::size_t count) {
  return JsonValue::String(text::FromUtf8(HexBytes(data, count)));
}

JsonValue KindToJson(std::uint32_t kind) {
  if (kind == LibraryEntry::kKindMacro) return JsonValue::String(u"macro");
  if (kind == LibraryEntry::kKindGroup) return JsonValue::String(u"group");
  return JsonValue::Number(kind);
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
bool ReadEntry(const std::uint8_t* data, ByteReader& reader, std::size_t index, JsonValue& json,
               std::set<std::uint32_t>& ids, FileDescription& description) {
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
  json.Add("id", JsonValue::Number(id));
  json.Add("kind", KindToJson(kind));
  json.Add("name", ArchiveTextToJson(name));
  json.Add("parent", JsonValue::Number(parent));
  json.Add("size", JsonValue::Number(size));
  json.Add("flags", JsonValue::Number(flags));
  JsonValue commands = JsonValue::Array();
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
    if (description.withJson) commands.Push(CommandToJson(command));
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
  if (count != 0 || kind != LibraryEntry::kKindGroup) json.Add("commands", std::move(commands));
  return true;
}

JsonValue Numbers(const std::uint32_t* values, std::size_t count) {
  JsonValue array = JsonValue::Array();
  for (std::size_t i = 0; i < count; ++i) array.Push(JsonValue::Number(values[i]));
  return array;
}

bool AnyNonZero(const std::uint32_t* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (values[i] != 0) return true;
  }
  return false;
}

bool ReadDevice(const std::uint8_t* data, ByteReader& reader, JsonValue& json, std::set<std::uint32_t>& keys,
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
  json.Add("key", JsonValue::Number(key));
  json.Add("profileCount", JsonValue::Number(profileCount));
  json.Add("currentProfile", JsonValue::Number(currentProfile));
  json.Add("profileSetting", JsonValue::Number(profileSetting));
  std::uint32_t pairs[kPairs][2] = {};
  bool anyPair = false;
  for (auto& pair : pairs) {
    if (!reader.ReadU32(pair[0]) || !reader.ReadU32(pair[1])) return false;
    anyPair = anyPair || pair[0] != 0 || pair[1] != 0;
  }
  if (anyPair) {
    JsonValue array = JsonValue::Array();
    for (const auto& pair : pairs) array.Push(Numbers(pair, 2));
    json.Add("pairs", std::move(array));
  }
  JsonValue profiles = JsonValue::Array();
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
    JsonValue profile = JsonValue::Object();
    profile.Add("slot", JsonValue::Number(slot));
    if (codeAgain != 0) profile.Add("code", JsonValue::Number(codeAgain));
    if (code != codeAgain) {
      profile.Add("codeFirst", JsonValue::Number(code));
      Problem(description, againAt,
              "device record " + std::to_string(key) + ", profile slot " + std::to_string(slot) +
                  ": the two copies of the profile code differ; the program keeps the second");
    }
    if (AnyNonZero(row, kRowValues)) profile.Add("row", Numbers(row, kRowValues));
    if (!name.IsCanonical() || !name.text.empty()) profile.Add("name", ArchiveTextToJson(name));
    if (!name2.IsCanonical() || !name2.text.empty()) profile.Add("name2", ArchiveTextToJson(name2));
    if (valueA != 0) profile.Add("valueA", JsonValue::Number(valueA));
    if (valueB != 0) profile.Add("valueB", JsonValue::Number(valueB));
    if (valueC != 0) profile.Add("valueC", JsonValue::Number(valueC));
    if (profile.members.size() > 1) profiles.Push(std::move(profile));
  }
  json.Add("profiles", std::move(profiles));
  return true;
}

}  // namespace

void DescribeLibrary(const std::uint8_t* data, std::size_t size, FileDescription& description) {
  description.kind = FileKind::kLibrary;
  // The program's own reader decides whether the file can be loaded at all.
  MacroLibrary library;
  FileProblem damage;
  if (ParseLibrary(data, size, library, &damage) != LibraryParse::kParsed) {
    description.problems.push_back(damage);
    return;
  }
  ByteReader reader(data, size);
  ArchiveText magic;
  JsonValue json = JsonValue::Object();
  json.Add("file", JsonValue::String(u"library"));
  std::uint32_t entryCount = 0;
  if (ReadArchiveText(data, reader, magic) && !magic.IsCanonical()) json.Add("magic", ArchiveTextToJson(magic));
  reader.ReadU32(entryCount);
  JsonValue entries = JsonValue::Array();
  std::set<std::uint32_t> ids;
  for (std::uint32_t i = 0; i < entryCount && !reader.Failed(); ++i) {
    JsonValue entry = JsonValue::Object();
    if (!ReadEntry(data, reader, i, entry, ids, description)) break;
    entries.Push(std::move(entry));
  }
  std::uint32_t deviceCount = 0;
  reader.ReadU32(deviceCount);
  JsonValue devices = JsonValue::Array();
  std::set<std::uint32_t> keys;
  for (std::uint32_t i = 0; i < deviceCount && !reader.Failed(); ++i) {
    JsonValue device = JsonValue::Object();
    if (ReadDevice(data, reader, device, keys, description)) devices.Push(std::move(device));
  }
  if (reader.Failed()) {
    description.problems.assign(1, {reader.FailOffset(), reader.FailReason()});
    return;
  }
  std::stable_sort(description.problems.begin(), description.problems.end(),
                   [](const FileProblem& a, const FileProblem& b) { return a.offset < b.offset; });
  json.Add("entries", std::move(entries));
  json.Add("devices", std::move(devices));
  if (!reader.AtEnd()) {
    Problem(
        description, reader.Offset(),
        ByteCount(reader.Remaining()) + " of unknown content after the last record; the program drops them on save");
    json.Add("trailing", Hex(data + reader.Offset(), reader.Remaining()));
  }
  description.json = std::move(json);
  description.readable = true;
  description.summary = std::to_string(entryCount) + (entryCount == 1 ? " entry, " : " entries, ") +
                        std::to_string(deviceCount) + (deviceCount == 1 ? " device record" : " device records");
}

namespace {

bool BuildCommands(const JsonValue& json, ByteWriter& writer, std::uint32_t& size, JsonError& error) {
  if (!ExpectArray(json, "\"commands\"", error)) return false;
  writer.WriteU32(static_cast<std::uint32_t>(json.items.size()));
  std::uint32_t address = 0;
  for (const JsonValue& item : json.items) {
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

bool BuildEntry(const JsonValue& json, std::uint32_t& nextId, const std::map<std::uint32_t, std::uint32_t>& children,
                ByteWriter& writer, JsonError& error) {
  if (!ExpectObject(json, "an entry", {"id", "kind", "name", "parent", "size", "flags", "commands"}, error))
    return false;
  std::uint32_t id = nextId, kind = LibraryEntry::kKindMacro, parent = 0, flags = 0;
  if (!GetU32(json, "id", id, false, error) || !GetU32(json, "parent", parent, false, error) ||
      !GetU32(json, "flags", flags, false, error)) {
    return false;
  }
  if (const JsonValue* kindValue = json.Find("kind")) {
    if (kindValue->Is(JsonValue::Type::kString) && (kindValue->text == u"macro" || kindValue->text == u"group")) {
      kind = kindValue->text == u"group" ? LibraryEntry::kKindGroup : LibraryEntry::kKindMacro;
    } else if (!kindValue->Is(JsonValue::Type::kNumber) || !ToU32(*kindValue, "kind", kind, error)) {
      return FailAt(*kindValue, "\"kind\" must be \"macro\", \"group\" or a number", error);
    }
  }
  ArchiveText name;
  const JsonValue* nameValue = json.Find("name");
  if (!nameValue) return FailAt(json, "an entry needs a \"name\"", error);
  if (!ArchiveTextFromJson(*nameValue, "\"name\"", name, error)) return false;
  ByteWriter commands;
  std::uint32_t commandBytes = 0;
  if (const JsonValue* list = json.Find("commands")) {
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

bool OptionalText(const JsonValue& json, const char* name, ArchiveText& text, JsonError& error) {
  text = ArchiveText::Canonical(u"");
  const JsonValue* value = json.Find(name);
  return !value || ArchiveTextFromJson(*value, name, text, error);
}

bool NumberArray(const JsonValue& json, const char* name, std::uint32_t* out, std::size_t most, JsonError& error) {
  const JsonValue* value = json.Find(name);
  if (!value) return true;
  if (!ExpectArray(*value, name, error)) return false;
  if (value->items.size() > most) {
    return FailAt(*value, std::string("\"") + name + "\" holds at most " + std::to_string(most) + " values", error);
  }
  for (std::size_t i = 0; i < value->items.size(); ++i) {
    if (!ToU32(value->items[i], name, out[i], error)) return false;
  }
  return true;
}

bool BuildDevice(const JsonValue& json, ByteWriter& writer, JsonError& error) {
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
  if (const JsonValue* list = json.Find("pairs")) {
    if (!ExpectArray(*list, "\"pairs\"", error)) return false;
    if (list->items.size() > kPairs) return FailAt(*list, "\"pairs\" holds at most 10 pairs", error);
    for (std::size_t k = 0; k < list->items.size(); ++k) {
      const JsonValue& pair = list->items[k];
      if (!pair.Is(JsonValue::Type::kArray) || pair.items.size() != 2) {
        return FailAt(pair, "a pair must be an array of two numbers", error);
      }
      if (!ToU32(pair.items[0], "a pair value", pairs[k][0], error) ||
          !ToU32(pair.items[1], "a pair value", pairs[k][1], error)) {
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
  if (const JsonValue* list = json.Find("profiles")) {
    if (!ExpectArray(*list, "\"profiles\"", error)) return false;
    for (const JsonValue& profile : list->items) {
      if (!ExpectObject(profile, "a profile",
                        {"slot", "code", "codeFirst", "row", "name", "name2", "valueA", "valueB", "valueC"}, error)) {
        return false;
      }
      std::uint32_t index = 0;
      if (!GetU32(profile, "slot", index, true, error)) return false;
      if (index >= kProfileSlots) return FailAt(*profile.Find("slot"), "\"slot\" must be 0 to 199", error);
      if (seen[index])
        return FailAt(*profile.Find("slot"), "profile slot " + std::to_string(index) + " is given twice", error);
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

bool BuildLibrary(const JsonValue& json, std::vector<std::uint8_t>& bytes, JsonError& error) {
  if (!ExpectObject(json, "a library", {"file", "magic", "entries", "devices", "trailing"}, error)) return false;
  ArchiveText magic = ArchiveText::Canonical(kLibraryMagic);
  if (const JsonValue* value = json.Find("magic")) {
    if (!ArchiveTextFromJson(*value, "\"magic\"", magic, error)) return false;
    if (magic.text != kLibraryMagic) return FailAt(*value, "the magic of a library is \"_@_MF3_\"", error);
  }
  ByteWriter writer;
  WriteArchiveText(writer, magic);
  const JsonValue* entries = json.Find("entries");
  if (entries && !ExpectArray(*entries, "\"entries\"", error)) return false;
  // A group's size is its child count, as the program computes it before a save.
  std::map<std::uint32_t, std::uint32_t> children;
  if (entries) {
    for (const JsonValue& entry : entries->items) {
      const JsonValue* parent = entry.Find("parent");
      if (parent && parent->Is(JsonValue::Type::kNumber) && parent->whole && parent->number > 0 &&
          parent->number <= 0xFFFFFFFFll) {
        ++children[static_cast<std::uint32_t>(parent->number)];
      }
    }
  }
  writer.WriteU32(entries ? static_cast<std::uint32_t>(entries->items.size()) : 0);
  std::uint32_t nextId = 1;
  if (entries) {
    for (const JsonValue& entry : entries->items) {
      if (!BuildEntry(entry, nextId, children, writer, error)) return false;
    }
  }
  const JsonValue* devices = json.Find("devices");
  if (devices && !ExpectArray(*devices, "\"devices\"", error)) return false;
  writer.WriteU32(devices ? static_cast<std::uint32_t>(devices->items.size()) : 0);
  if (devices) {
    for (const JsonValue& device : devices->items) {
      if (!BuildDevice(device, writer, error)) return false;
    }
  }
  if (const JsonValue* trailing = json.Find("trailing")) {
    std::vector<std::uint8_t> extra;
    if (!ParseHexBytes(*trailing, "\"trailing\"", extra, error)) return false;
    writer.WriteBytes(extra.data(), extra.size());
  }
  bytes = writer.Take();
  return true;
}
