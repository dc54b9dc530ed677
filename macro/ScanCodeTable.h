#pragma once
// The table from HID keyboard usages (page 0x07) to PC scan codes (set 1); an
// extended key is stored as its code plus 0xE000. It ships as a text resource
// whose lines hold a usage and a scan code in decimal, separated by a blank.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ScanCodeTable {
 public:
  // Lines split at "\n" after "\r\n" became "\n" and lone "\r" were dropped.
  // The number before the first blank is the usage (outside 0..255 it counts
  // as 0); the rest, with blanks and tabs removed, is the scan code in decimal.
  static ScanCodeTable Parse(const std::u16string& text);

  std::uint32_t ScanCode(std::uint8_t usage) const { return codes_[usage]; }
  // The lowest usage 0..254 whose non-zero code equals `scanCode`, else 0.
  std::uint8_t UsageFromScanCode(std::uint32_t scanCode) const;

 private:
  std::array<std::uint32_t, 256> codes_{};
};

// The resource's bytes as text: UTF-16LE when they start with its byte-order
// mark, otherwise single-byte characters.
std::u16string ScanCodeTextFromBytes(const std::vector<std::uint8_t>& bytes);
