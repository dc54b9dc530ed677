#pragma once
// Files for the tool's tests, built byte by byte, independent of the writers.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/FileBytes.h"
#include "tools/FileJson.h"


// Profile slot i of a device record: code, row, names and values.
inline void ToolProfileSlot(FileBytes& file, std::uint32_t i) {
  const std::uint32_t code = i < 7 ? 18 : 0;
  file.U32(code);
  for (std::uint32_t m = 0; m < 20; ++m) file.U32(i == 1 && m == 4 ? 3 : 0);
  file.Text(i < 7 ? "Mode " + std::to_string(i + 1) : "");
  file.Text(i == 0 ? "second" : "");
  file.U32(code).U32(i == 0 ? 8 : 0).U32(i == 1 ? 8 : 0).U32(i == 2 ? 8 : 0);
}

// A group "Work" (id 1, expanded) holding macro "copy" (id 2), an ungrouped
// macro "Tap" (id 3), and the settings of mouse 0x1234.
inline std::vector<std::uint8_t> ToolGoldenLibrary() {
  FileBytes file;
  file.Text("_@_MF3_").U32(3);
  file.U32(1).U32(1).Text("Work").U32(0).U32(1).U32(1).U32(0);
  file.U32(2).U32(0).Text("copy").U32(1).U32(3).U32(0).U32(2);
  file.Command(0, {0x04}).Command(1, {0x83, 0x06});
  file.U32(3).U32(0).Text("Tap").U32(0).U32(6).U32(0).U32(3);
  file.Command(0, {0x05}).Command(1, {0x89, 0x2C, 0x01}).Command(4, {0x88, 0x10});
  file.U32(1);
  file.U32(0x1234).U32(7).U32(2).U32(3);
  for (std::uint32_t k = 0; k < 10; ++k) file.U32(k + 10).U32(k + 20);
  for (std::uint32_t i = 0; i < 200; ++i) ToolProfileSlot(file, i);
  return file.data;
}

// A macro file: the magic, the count and the bytes.
inline std::vector<std::uint8_t> ToolMacroFile(std::uint32_t count, std::initializer_list<std::uint8_t> bytes) {
  FileBytes file;
  file.Text("_@_MF1_").U32(count).Raw(bytes);
  return file.data;
}

// show then build, as the user's round trip does, through the JSON text.
inline std::vector<std::uint8_t> ToolRoundTrip(const std::vector<std::uint8_t>& file, std::string* json = nullptr) {
  const FileDescription description = DescribeFile(file.data(), file.size());
  if (!description.readable) return {};
  const std::string text = WriteJson(description.json);
  if (json) *json = text;
  JsonValue parsed;
  JsonError error;
  std::vector<std::uint8_t> built;
  if (!ParseJson(text, parsed, error) || !BuildFile(parsed, built, error)) return {};
  return built;
}
