#include "macro/MacroTextFormat.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::u16string Widen(const char* text) {
  std::u16string wide;
  for (; *text; ++text) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
  return wide;
}

bool StartsWith(const std::u16string& text, std::size_t at, const char* ascii) {
  const std::size_t length = std::strlen(ascii);
  if (text.size() - at < length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[at + i] != static_cast<char16_t>(ascii[i])) return false;
  }
  return true;
}

// Width and zero padding of "%d", "%4d" or "%04d".
std::u16string FormatInt(const char* conversion, long long value) {
  int width = 0;
  bool zeroPad = false;
  for (const char* p = conversion + 1; *p >= '0' && *p <= '9'; ++p) {
    if (p == conversion + 1 && *p == '0') zeroPad = true;
    width = width * 10 + (*p - '0');
  }
  const bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  const std::size_t used = digits.size() + (negative ? 1 : 0);
  const std::size_t pad = width > 0 && static_cast<std::size_t>(width) > used ? width - used : 0;
  if (zeroPad) return (negative ? u"-" : u"") + std::u16string(pad, u'0') + digits;
  return std::u16string(pad, u' ') + (negative ? u"-" : u"") + digits;
}

}  // namespace

TemplateArg IntArg(const char* conversion, long long value) { return {conversion, FormatInt(conversion, value)}; }

TemplateArg FixedArg(const char* conversion, double value) {
  char text[64];
  // Only our own fixed conversion reaches snprintf, never a template.
  std::snprintf(text, sizeof text, "%3.1f", value);
  return {conversion, Widen(text)};
}

TemplateArg TextArg(const std::u16string& value) { return {"%s", value}; }

std::u16string FormatTemplate(const std::u16string& pattern, std::initializer_list<TemplateArg> args) {
  const std::vector<TemplateArg> expected(args);
  std::size_t next = 0;
  std::u16string out;
  out.reserve(pattern.size() + 16);
  for (std::size_t i = 0; i < pattern.size();) {
    if (pattern[i] != u'%') {
      out.push_back(pattern[i++]);
      continue;
    }
    if (StartsWith(pattern, i, "%%")) {
      out.push_back(u'%');
      i += 2;
      continue;
    }
    if (next < expected.size() && StartsWith(pattern, i, expected[next].conversion)) {
      out += expected[next].value;
      i += std::strlen(expected[next].conversion);
      ++next;
      continue;
    }
    out.push_back(pattern[i++]);
  }
  return out;
}
