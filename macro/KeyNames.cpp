#include "macro/KeyNames.h"

#include <utility>

std::uint32_t KeyNameRequest(std::uint32_t scanCode) {
  std::uint32_t request = (scanCode & 0xFF) << 16;
  if (((scanCode >> 8) & 0xE0) != 0) request |= 1u << 24;
  if (request == 0x450000) return 0x1450000;
  if (request == 0xC50000) return 0x450000;
  return request;
}

KeyNames::KeyNames(std::function<std::u16string()> tableText, KeyNameSource& source)
    : tableText_(std::move(tableText)), source_(source) {}

const ScanCodeTable& KeyNames::Table() {
  std::call_once(loaded_, [this] {
    if (tableText_) table_ = ScanCodeTable::Parse(tableText_());
  });
  return table_;
}

std::u16string KeyNames::KeyName(std::uint8_t usage) {
  return source_.NameForRequest(KeyNameRequest(Table().ScanCode(usage)));
}

std::uint8_t KeyNames::UsageFromScanCode(std::uint32_t scanCode) { return Table().UsageFromScanCode(scanCode); }
