#pragma once
// The tool's three operations on the program's files, whatever their kind:
// describe a file as JSON, check it, and build it back from JSON. The kind is
// told by the magic string at the start, never by the file name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "macro/LibraryFile.h"
#include "tools/Json.h"

enum class FileKind { kUnknown, kLibrary, kMacro, kBackup };

FileKind DetectFileKind(const std::uint8_t* data, std::size_t size);
const char* FileKindName(FileKind kind);

// What a reading found. `readable` is false when the file cannot be described
// at all (the first problem then says why); otherwise `json` describes every
// byte and `problems` lists what the program would refuse, change or lose,
// in file order.
struct FileDescription {
  // Without it only the problems are gathered: a check of a large library
  // needs no description of its every command.
  bool withJson = true;
  FileKind kind = FileKind::kUnknown;
  bool readable = false;
  JsonValue json;
  std::vector<FileProblem> problems;
  std::string summary;  // "3 entries, 1 device record"
};

FileDescription DescribeFile(const std::uint8_t* data, std::size_t size, bool withJson = true);

// Builds the bytes a description stands for. Fails with a position in the
// JSON text when the description is not one the tool can write.
bool BuildFile(const JsonValue& json, std::vector<std::uint8_t>& bytes, JsonError& error);

// One kind each; DescribeFile and BuildFile choose among them.
void DescribeLibrary(const std::uint8_t* data, std::size_t size, FileDescription& description);
bool BuildLibrary(const JsonValue& json, std::vector<std::uint8_t>& bytes, JsonError& error);
void DescribeMacroFile(const std::uint8_t* data, std::size_t size, FileDescription& description);
bool BuildMacroFile(const JsonValue& json, std::vector<std::uint8_t>& bytes, JsonError& error);
void DescribeBackup(const std::uint8_t* data, std::size_t size, FileDescription& description);
bool BuildBackup(const JsonValue& json, std::vector<std::uint8_t>& bytes, JsonError& error);
