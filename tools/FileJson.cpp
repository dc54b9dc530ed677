#include "tools/FileJson.h"

#include "base/ArchiveString.h"
#include "device/BackupFile.h"
#include "macro/MacroFile.h"
#include "tools/JsonFields.h"

FileKind DetectFileKind(const std::uint8_t* data, std::size_t size) {
  ByteReader reader(data, size);
  std::u16string magic;
  if (!ReadArchiveString(reader, magic)) return FileKind::kUnknown;
  if (magic == kLibraryMagic) return FileKind::kLibrary;
  if (magic == kMacroFileMagic) return FileKind::kMacro;
  if (magic == device::kBackupMagic) return FileKind::kBackup;
  return FileKind::kUnknown;
}

const char* FileKindName(FileKind kind) {
  switch (kind) {
    case FileKind::kLibrary:
      return "library";
    case FileKind::kMacro:
      return "macro";
    case FileKind::kBackup:
      return "backup";
    case FileKind::kUnknown:
      break;
  }
  return "unknown";
}

namespace {

FileDescription Describe(const std::uint8_t* data, std::size_t size, std::ostream* out) {
  FileDescription description;
  switch (DetectFileKind(data, size)) {
    case FileKind::kLibrary:
      DescribeLibrary(data, size, description, out);
      break;
    case FileKind::kMacro:
      DescribeMacroFile(data, size, description, out);
      break;
    case FileKind::kBackup:
      DescribeBackup(data, size, description, out);
      break;
    case FileKind::kUnknown:
      description.problems.push_back({0, "not a library, macro or backup file: its magic string is unknown"});
      break;
  }
  return description;
}

bool BuildKind(const Json& json, std::vector<std::uint8_t>& bytes, JsonError& error) {
  if (!json.is_object()) return FailAt(json, "the description must be an object", error);
  const Json* file = FindMember(json, "file");
  if (file && *file == "library") return BuildLibrary(json, bytes, error);
  if (file && *file == "macro") return BuildMacroFile(json, bytes, error);
  if (file && *file == "backup") return BuildBackup(json, bytes, error);
  return FailAt(file ? *file : json, "member \"file\" must say \"library\", \"macro\" or \"backup\"", error);
}

}  // namespace

FileDescription DescribeFile(const std::uint8_t* data, std::size_t size, std::ostream* out) {
  // The description is written as it is read, so the file is first read
  // through once for its problems: nothing is written for one that turns
  // out to be unreadable half way.
  FileDescription description = Describe(data, size, nullptr);
  if (out && description.readable) Describe(data, size, out);
  return description;
}

bool BuildFile(const Json& json, std::vector<std::uint8_t>& bytes, JsonError& error) {
  if (BuildKind(json, bytes, error)) return true;
  LocateJsonError(json, error);
  return false;
}
