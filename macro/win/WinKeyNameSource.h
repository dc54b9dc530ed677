#pragma once
// Key names from the current keyboard layout of Windows.
#include "macro/KeyNames.h"

class WinKeyNameSource : public KeyNameSource {
 public:
  std::u16string NameForRequest(std::uint32_t request) override;
};

// The text of the scan-code table resource ("TXT" 217) of the program file;
// empty when the resource is missing.
std::u16string LoadScanCodeTableResource();
