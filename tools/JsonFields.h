#pragma once
// The pieces every file description shares: typed members with errors that
// point into the JSON text, hex byte strings, texts that keep the form of
// their archive string, and macro commands with their step texts.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "macro/MacroCommand.h"
#include "tools/Json.h"

// Fails with `what` at `value`, which must be part of the parsed document.
bool FailAt(const Json& value, const std::string& what, JsonError& error);

// Checks that `value` is an object whose members are all among `known`, so a
// misspelt name is reported instead of silently ignored.
bool ExpectObject(const Json& value, const char* what, std::initializer_list<const char*> known, JsonError& error);
bool ExpectArray(const Json& value, const char* what, JsonError& error);

// A whole number 0..4294967295 in member `name`; a missing member leaves `out`
// alone unless it is required.
bool GetU32(const Json& object, const char* name, std::uint32_t& out, bool required, JsonError& error);
bool ToU32(const Json& value, const char* what, std::uint32_t& out, JsonError& error);
// The text of a JSON string, as the program keeps texts.
std::u16string TextOf(const Json& value);

// Bytes as two-digit hex numbers separated by blanks: "83 04".
std::string HexBytes(const std::uint8_t* data, std::size_t count);
// Reads hex pairs, blanks between them optional. `text` is `value`'s string
// or a part of it; errors point at `value`.
bool ParseHexBytes(const Json& value, const std::string& text, const char* what, std::vector<std::uint8_t>& out,
                   JsonError& error);
bool ParseHexBytes(const Json& value, const char* what, std::vector<std::uint8_t>& out, JsonError& error);

// A text as a file stores it: the archive string may be an old 8-bit one or
// carry its length in a longer form than needed. Keeping the form lets a file
// be written back byte for byte.
struct ArchiveText {
  std::u16string text;
  bool narrow = false;
  int lengthBits = 8;  // 8, 16 or 32: the length field the string was stored with

  // The form WriteArchiveString gives this text.
  static ArchiveText Canonical(std::u16string text);
  bool IsCanonical() const;
};

// Reads an archive string at the reader's offset of `data`.
bool ReadArchiveText(const std::uint8_t* data, ByteReader& reader, ArchiveText& text);
void WriteArchiveText(ByteWriter& writer, const ArchiveText& text);
// A plain JSON string in the usual form; otherwise {"text", "narrow",
// "lengthBits"}, with "units" (the UTF-16 code units in hex) in place of
// "text" when the text holds a surrogate without its partner, which UTF-8
// cannot carry.
Json ArchiveTextToJson(const ArchiveText& text);
bool ArchiveTextFromJson(const Json& value, const char* what, ArchiveText& text, JsonError& error);

// {"address", "length", "bytes", "rest" (code bytes past the length, when any
// is not zero), "text"}.
Json CommandToJson(const MacroCommand& command);
// `address` is the running address, used when the member is absent.
bool CommandFromJson(const Json& value, std::uint32_t address, MacroCommand& command, JsonError& error);

// The English step text of a command, the same on every machine.
std::u16string ToolStepText(const MacroCommand& command);

// The name of a macro's mode byte: its step text, or "unknown mode 83" for a
// byte that is no mode.
std::string ToolModeText(std::uint8_t mode);

// "1 byte", "2 bytes".
std::string ByteCount(std::size_t count);

// What is wrong with one command of a macro, or empty. `first` tells whether
// it is the mode command's place; `address` is where it should stand.
std::string CommandProblem(const MacroCommand& command, bool first, std::uint32_t address);

// The scan-code table the tool names keys with: the rows of the program's
// key-table resource, which the tool cannot load from the program file.
std::u16string ToolScanCodeTableText();
