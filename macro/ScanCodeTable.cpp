#include "macro/ScanCodeTable.h"

namespace {

// Reads a leading decimal number the way the C library's atoi does (leading
// white space, an optional sign, digits up to the first non-digit), with the
// value held to the 32-bit range instead of overflowing.
long long LeadingNumber(const std::u16string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    if (value < 0x100000000ll) value = value * 10 + (text[i] - u'0');
  }
  if (value > 0xFFFFFFFFll) value = 0xFFFFFFFFll;
  return negative ? -value : value;
}

}  // namespace

ScanCodeTable ScanCodeTable::Parse(const std::u16string& text) {
  ScanCodeTable table;
  std::u16string line;
  auto takeLine = [&table](const std::u16string& current) {
    const std::size_t blank = current.find(u' ');
    const std::u16string head = current.substr(0, blank);
    long long usage = LeadingNumber(head);
    if (usage < 0 || usage > 255) usage = 0;
    std::u16string rest;
    if (blank != std::u16string::npos) {
      for (std::size_t i = blank; i < current.size(); ++i) {
        if (current[i] != u' ' && current[i] != u'\t') rest.push_back(current[i]);
      }
    }
    table.codes_[static_cast<std::size_t>(usage)] = static_cast<std::uint32_t>(LeadingNumber(rest));
  };
  bool pending = false;
  for (char16_t unit : text) {
    if (unit == u'\r') continue;
    if (unit == u'\n') {
      takeLine(line);
      line.clear();
      pending = false;
      continue;
    }
    line.push_back(unit);
    pending = true;
  }
  if (pending) takeLine(line);
  return table;
}

std::uint8_t ScanCodeTable::UsageFromScanCode(std::uint32_t scanCode) const {
  if (scanCode == 0) return 0;
  for (std::size_t usage = 0; usage < 255; ++usage) {
    if (codes_[usage] == scanCode) return static_cast<std::uint8_t>(usage);
  }
  return 0;
}

std::u16string ScanCodeTextFromBytes(const std::vector<std::uint8_t>& bytes) {
  std::u16string text;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return text;
  }
  for (std::uint8_t byte : bytes) text.push_back(static_cast<char16_t>(byte));
  return text;
}
