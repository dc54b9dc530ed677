#pragma once
// Conversions between the UTF-16 texts that the mouse, our files and the
// window carry and the UTF-8 that logs and the standard library speak.
#include <string>

namespace text {

std::string ToUtf8(const std::u16string& text);
// Invalid UTF-8 sequences become U+FFFD.
std::u16string FromUtf8(const std::string& text);

// Lower-cases A-Z and the Latin-1 capitals, as the command line is lowered
// before switches are looked for; other characters are kept as they are.
std::u16string ToLower(std::u16string text);

}  // namespace text
