#pragma once
// The tool's three operations on the program's files, whatever their kind:
// describe a file as JSON, check it, and build it back from JSON. The kind is
// told by the magic string at the start, never by the file name.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "macro/LibraryFile.h"
#include "tools/Json.h"

enum class FileKind { kUnknown, kLibrary, kMacro, kBackup };

FileKind DetectFileKind(const std::uint8_t* data, std::size_t size);
const char* FileKindName(FileKind kind);

// What a reading found. `readable` is false when the file cannot be described
// at all (the first problem then says why); otherwise `problems` lists what
// the program would refuse, change or lose, in file order.
struct FileDescription {
  FileKind kind = FileKind::kUnknown;
  bool readable = false;
  std::vector<FileProblem> problems;
  // What a backup's macro directory holds that the mouse cannot play, one
  // line per entry: "entry 5: its end 40 lies before its start 50".
  std::vector<std::string> entryProblems;
  std::string summary;  // "3 entries, 1 device record"
};

// Reads a file for its problems and, when `out` is given and the file is
// readable, writes its description there as JSON that covers every byte.
// Nothing is written for a file that cannot be described.
FileDescription DescribeFile(const std::uint8_t* data, std::size_t size, std::ostream* out = nullptr);

// Builds the bytes a description stands for. Fails saying where in the JSON
// the description is not one the tool can write.
bool BuildFile(const Json& json, std::vector<std::uint8_t>& bytes, JsonError& error);

// One kind each; DescribeFile and BuildFile choose among them. A description
// goes to `out` only when given.
void DescribeLibrary(const std::uint8_t* data, std::size_t size, FileDescription& description, std::ostream* out);
bool BuildLibrary(const Json& json, std::vector<std::uint8_t>& bytes, JsonError& error);
void DescribeMacroFile(const std::uint8_t* data, std::size_t size, FileDescription& description, std::ostream* out);
bool BuildMacroFile(const Json& json, std::vector<std::uint8_t>& bytes, JsonError& error);
void DescribeBackup(const std::uint8_t* data, std::size_t size, FileDescription& description, std::ostream* out);
bool BuildBackup(const Json& json, std::vector<std::uint8_t>& bytes, JsonError& error);
