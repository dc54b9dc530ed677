#pragma once
// Builds a file of ours the slow way, byte by byte, independent of the
// program's writers, so that tests compare the writers with the layout.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

struct FileBytes {
  std::vector<std::uint8_t> data;

  FileBytes& U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return *this;
  }
  FileBytes& Raw(std::initializer_list<std::uint8_t> bytes) {
    data.insert(data.end(), bytes);
    return *this;
  }
  // An archive string of ASCII characters, in the wide form.
  FileBytes& Text(const std::string& ascii) {
    Raw({0xFF, 0xFE, 0xFF, static_cast<std::uint8_t>(ascii.size())});
    for (char c : ascii) Raw({static_cast<std::uint8_t>(c), 0});
    return *this;
  }
  // A library command record: address, length and five code bytes.
  FileBytes& Command(std::uint32_t address, std::initializer_list<std::uint8_t> code) {
    U32(address).U32(static_cast<std::uint32_t>(code.size()));
    data.insert(data.end(), code);
    for (std::size_t i = code.size(); i < 5; ++i) data.push_back(0);
    return *this;
  }
};
