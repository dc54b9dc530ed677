#include "tools/FileJson.h"

#include "base/ArchiveString.h"
#include "device/BackupFile.h"
#include "macro/MacroFile.h"

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

FileDescription DescribeFile(const std::uint8_t* data, std::size_t size, bool withJson) {
  FileDescription description;
  description.withJson = withJson;
  switch (DetectFileKind(data, size)) {
    case FileKind::kLibrary:
      DescribeLibrary(data, size, description);
      break;
    case FileKind::kMacro:
      DescribeMacroFile(data, size, description);
      break;
    case FileKind::kBackup:
      DescribeBackup(data, size, description);
      break;
    case FileKind::kUnknown:
      description.problems.push_back({0, "not a library, macro or backup file: its magic string is unknown"});
      break;
  }
  return description;
}

bool BuildFile(const JsonValue& json, std::vector<std::uint8_t>& bytes, JsonError& error) {
  if (!json.Is(JsonValue::Type::kObject)) {
    error = {json.at, "the description must be an object"};
    return false;
  }
  const JsonValue* file = json.Find("file");
  if (!file || !file->Is(JsonValue::Type::kString)) {
    error = {file ? file->at : json.at, "member \"file\" must say \"library\", \"macro\" or \"backup\""};
    return false;
  }
  if (file->text == u"library") return BuildLibrary(json, bytes, error);
  if (file->text == u"macro") return BuildMacroFile(json, bytes, error);
  if (file->text == u"backup") return BuildBackup(json, bytes, error);
  error = {file->at, "member \"file\" must say \"library\", \"macro\" or \"backup\""};
  return false;
}
