#pragma once
// Names of keyboard keys for the step texts, through the keyboard layout of the
// platform, and the reverse lookup the recorder needs.
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "macro/ScanCodeTable.h"

// The platform's key names. The request word is the one GetKeyNameTextW takes:
// the scan code's low byte in bits 16..23 and the extended flag in bit 24.
class KeyNameSource {
 public:
  virtual ~KeyNameSource() = default;
  // An empty result means the layout has no name for the key.
  virtual std::u16string NameForRequest(std::uint32_t request) = 0;
};

// The request word for a scan code from the table, with the two fix-ups for
// the keys that share scan code 0x45: Num Lock (0x45) is asked for as the
// extended key and Pause (stored as 0xC5) as the plain one.
std::uint32_t KeyNameRequest(std::uint32_t scanCode);

class KeyNames {
 public:
  // `tableText` gives the text of the scan-code table; it is called once, on
  // the first request that needs the table.
  KeyNames(std::function<std::u16string()> tableText, KeyNameSource& source);

  std::u16string KeyName(std::uint8_t usage);
  std::uint8_t UsageFromScanCode(std::uint32_t scanCode);
  const ScanCodeTable& Table();

 private:
  std::function<std::u16string()> tableText_;
  KeyNameSource& source_;
  std::once_flag loaded_;
  ScanCodeTable table_;
};
