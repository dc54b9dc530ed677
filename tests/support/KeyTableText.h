#pragma once
// The scan-code table the tests name keys with, as the program's resource holds it.
#include <fstream>
#include <sstream>
#include <string>

inline std::u16string KeyTableText() {
  std::ifstream in(std::string(VANTOR_SOURCE_DIR) + "/tests/unit/macro/data/KeyTable.txt", std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  std::u16string text;
  for (char c : content.str()) text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return text;
}
