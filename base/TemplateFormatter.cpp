#include "base/TemplateFormatter.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace text {
namespace {

struct Conversion {
  bool leftAlign = false;
  bool zeroPad = false;
  bool plusSign = false;
  bool spaceSign = false;
  int width = 0;
  int precision = -1;
  char16_t type = 0;
  size_t end = 0;  // index just past the conversion letter
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Reads "%[flags][width][.precision]type" starting at pattern[start] == '%'.
// Returns false when the sequence is malformed or asks for more than we allow.
bool ParseConversion(const std::u16string& pattern, size_t start, Conversion& out) {
  size_t i = start + 1;
  for (; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    if (c == u'-') out.leftAlign = true;
    else if (c == u'0') out.zeroPad = true;
    else if (c == u'+') out.plusSign = true;
    else if (c == u' ') out.spaceSign = true;
    else break;
  }
  int digits = 0;
  for (; i < pattern.size() && IsDigit(pattern[i]); ++i) {
    if (++digits > 2) return false;
    out.width = out.width * 10 + (pattern[i] - u'0');
  }
  if (out.width > kTemplateMaxWidth) return false;
  if (i < pattern.size() && pattern[i] == u'.') {
    ++i;
    out.precision = 0;
    digits = 0;
    for (; i < pattern.size() && IsDigit(pattern[i]); ++i) {
      if (++digits > 1) return false;
      out.precision = out.precision * 10 + (pattern[i] - u'0');
    }
  }
  if (i >= pattern.size()) return false;
  out.type = pattern[i];
  out.end = i + 1;
  return true;
}

bool Fits(const Conversion& conversion, const TemplateArg& arg) {
  switch (arg.kind) {
    case TemplateArg::Kind::Integer:
      return (conversion.type == u'd' || conversion.type == u'i') && conversion.precision < 0;
    case TemplateArg::Kind::Real:
      return conversion.type == u'f' && conversion.precision <= kTemplateMaxPrecision;
    case TemplateArg::Kind::Text:
      return conversion.type == u's' && conversion.precision < 0 && !conversion.zeroPad &&
             !conversion.plusSign && !conversion.spaceSign;
  }
  return false;
}

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// Sign and digits of a number, before padding.
std::u16string NumberBody(const Conversion& conversion, const TemplateArg& arg, std::u16string& sign) {
  if (arg.kind == TemplateArg::Kind::Integer) {
    const bool negative = arg.integer < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(arg.integer)
                                            : static_cast<unsigned long long>(arg.integer);
    std::u16string digits;
    do {
      digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
      magnitude /= 10;
    } while (magnitude != 0);
    sign = negative ? u"-" : conversion.plusSign ? u"+" : conversion.spaceSign ? u" " : u"";
    return digits;
  }
  const double value = arg.real;
  const int precision = conversion.precision < 0 ? 6 : conversion.precision;
  const bool negative = std::signbit(value) && !std::isnan(value);
  const double magnitude = std::fabs(value);
  // The format is our own literal; only the value and precision vary.
  const int length = std::snprintf(nullptr, 0, "%.*f", precision, magnitude);
  std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
  std::snprintf(buffer.data(), buffer.size(), "%.*f", precision, magnitude);
  sign = negative ? u"-" : conversion.plusSign ? u"+" : conversion.spaceSign ? u" " : u"";
  return Widen(buffer.data());
}

std::u16string Render(const Conversion& conversion, const TemplateArg& arg) {
  std::u16string sign;
  std::u16string body = arg.kind == TemplateArg::Kind::Text ? arg.text : NumberBody(conversion, arg, sign);
  const size_t width = static_cast<size_t>(conversion.width);
  const size_t used = sign.size() + body.size();
  if (used >= width) return sign + body;
  const std::u16string padding(width - used, u' ');
  if (conversion.leftAlign) return sign + body + padding;
  const bool finite = arg.kind != TemplateArg::Kind::Real || std::isfinite(arg.real);
  if (conversion.zeroPad && arg.kind != TemplateArg::Kind::Text && finite) {
    return sign + std::u16string(width - used, u'0') + body;
  }
  return padding + sign + body;
}

}  // namespace

std::u16string FormatTemplate(const std::u16string& pattern, std::initializer_list<TemplateArg> args) {
  std::u16string out;
  out.reserve(pattern.size() + 16);
  const TemplateArg* next = args.begin();
  size_t i = 0;
  while (i < pattern.size()) {
    const char16_t c = pattern[i];
    if (c != u'%') {
      out += c;
      ++i;
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == u'%') {
      out += u'%';
      i += 2;
      continue;
    }
    Conversion conversion;
    if (next != args.end() && ParseConversion(pattern, i, conversion) && Fits(conversion, *next)) {
      out += Render(conversion, *next);
      ++next;
      i = conversion.end;
      continue;
    }
    // Not a conversion we were asked for: the '%' stays text and so does
    // whatever follows it.
    out += u'%';
    ++i;
  }
  return out;
}

}  // namespace text
