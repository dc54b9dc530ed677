#pragma once
// Formats the templates that come from the language INI file ("X:%d",
// "Used %3.1f%%\r\n%d Byte", "Remove the macro '%s' ?"). The INI is user
// supplied, so its text is never handed to the C library as a format: each
// caller names the arguments its slot expects, in order, and only a
// conversion that fits the next expected argument is replaced. Anything else
// ("%n", "%s" where a number is due, "%99999d", a conversion with no argument
// left) is copied literally.
#include <initializer_list>
#include <string>

namespace text {

struct TemplateArg {
  enum class Kind { Integer, Real, Text };

  Kind kind;
  long long integer = 0;
  double real = 0;
  std::u16string text;

  static TemplateArg Int(long long value) { return {Kind::Integer, value, 0, {}}; }
  static TemplateArg Real(double value) { return {Kind::Real, 0, value, {}}; }
  static TemplateArg Text(std::u16string value) { return {Kind::Text, 0, 0, std::move(value)}; }
};

// Widest field and longest precision a template may ask for; larger numbers
// make the conversion literal text.
inline constexpr int kTemplateMaxWidth = 64;
inline constexpr int kTemplateMaxPrecision = 9;

// Accepted: "%%"; flags '-', '0', '+', ' '; a width up to kTemplateMaxWidth;
// "%d"/"%i" for Int, "%f" with an optional precision for Real, "%s" for Text.
std::u16string FormatTemplate(const std::u16string& pattern, std::initializer_list<TemplateArg> args);

}  // namespace text
