#pragma once
// The library file the file tests and the tool tests agree on, built byte by
// byte: a group "Work" (id 1, expanded) holding macro "copy" (id 2), an
// ungrouped macro "Tap" (id 3), and the settings of mouse 0x1234.
#include <cstdint>
#include <string>
#include <vector>

#include "support/FileBytes.h"

inline std::vector<std::uint8_t> GoldenLibraryFile() {
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
  for (std::uint32_t i = 0; i < 200; ++i) {
    const std::uint32_t code = i < 7 ? 18 : 0;
    file.U32(code);
    for (std::uint32_t m = 0; m < 20; ++m) file.U32(i == 1 && m == 4 ? 3 : 0);
    file.Text(i < 7 ? "Mode " + std::to_string(i + 1) : "");
    file.Text(i == 0 ? "second" : "");
    file.U32(code).U32(i == 0 ? 8 : 0).U32(i == 1 ? 8 : 0).U32(i == 2 ? 8 : 0);
  }
  return file.data;
}
