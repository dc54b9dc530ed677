#pragma once
// Files for the tool's tests, built byte by byte, independent of the writers.
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "support/FileBytes.h"
#include "support/GoldenLibrary.h"
#include "tools/FileJson.h"

// A macro file: the magic, the count and the bytes.
inline std::vector<std::uint8_t> ToolMacroFile(std::uint32_t count, std::initializer_list<std::uint8_t> bytes) {
  FileBytes file;
  file.Text("_@_MF1_").U32(count).Raw(bytes);
  return file.data;
}

// show then build, as the user's round trip does, through the JSON text.
inline std::vector<std::uint8_t> ToolRoundTrip(const std::vector<std::uint8_t>& file, std::string* json = nullptr) {
  std::ostringstream out;
  const FileDescription description = DescribeFile(file.data(), file.size(), &out);
  if (!description.readable) return {};
  const std::string text = out.str();
  if (json) *json = text;
  Json parsed;
  JsonError error;
  std::vector<std::uint8_t> built;
  if (!ParseJson(text, parsed, error) || !BuildFile(parsed, built, error)) return {};
  return built;
}
