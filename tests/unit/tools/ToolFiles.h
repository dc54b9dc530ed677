#pragma once
// Files for the tool's tests, built byte by byte, independent of the writers.
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "device/BackupFile.h"
#include "support/FileBytes.h"
#include "support/GoldenLibrary.h"
#include "tools/FileJson.h"

// A macro file: the magic, the count and the bytes.
inline std::vector<std::uint8_t> ToolMacroFile(std::uint32_t count, std::initializer_list<std::uint8_t> bytes) {
  FileBytes file;
  file.Text("_@_MF1_").U32(count).Raw(bytes);
  return file.data;
}

// A backup whose macro directory lists "tap" at 0..5 (mode once, A pressed and
// released), "odd" at 3..10 over the end of "tap", and "back" from 20 to 19.
inline std::vector<std::uint8_t> ToolBackupWithMacros() {
  device::BackupFile backup;
  backup.levels = {{{5, 5}, {5, 5}, {5, 5}, {5, 5}}};
  std::fill(backup.image.begin(), backup.image.begin() + 2048, std::uint8_t{0xFF});
  const auto put = [&backup](int entry, std::uint8_t start, std::uint8_t end, const char* name) {
    std::uint8_t* at = backup.image.data() + entry * 32;
    std::fill(at, at + 32, std::uint8_t{0});
    at[0] = start, at[2] = end;
    for (int i = 0; name[i]; ++i) at[4 + 2 * i] = static_cast<std::uint8_t>(name[i]);
  };
  put(0, 0, 5, "tap");
  put(1, 3, 10, "odd");
  put(2, 20, 19, "back");
  const std::uint8_t tap[] = {0x04, 0x83, 0x04, 0x84, 0x04, 0x00};
  std::copy(std::begin(tap), std::end(tap), backup.image.begin() + 2048);
  return device::EncodeBackupFile(backup);
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
