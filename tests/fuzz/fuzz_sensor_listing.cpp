// Feeds arbitrary bytes as the sensor listing file: every line (ended by CR
// LF) that starts with two hex digits gives one "0x.." item, sixteen to a
// data line, and nothing else of the file reaches the listing.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "device/SensorListing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::u16string listing = device::FormatSensorListing(text);

  std::string bytes;
  for (std::size_t line = 0; line < text.size();) {
    const std::size_t end = text.find("\r\n", line);
    const std::size_t length = (end == std::string::npos ? text.size() : end) - line;
    if (length >= 2 && std::isxdigit(static_cast<unsigned char>(text[line])) &&
        std::isxdigit(static_cast<unsigned char>(text[line + 1]))) {
      bytes += text.substr(line, 2);
    }
    if (end == std::string::npos) break;
    line = end + 2;
  }
  const std::size_t items = bytes.size() / 2;
  if (listing.size() != items * 6 + (items + 15) / 16 * 4) std::abort();
  std::size_t item = 0;
  for (std::size_t at = 0; at < listing.size(); at += 6) {
    if (item % 16 == 0) {
      if (listing.compare(at, 4, u"DB \t") != 0) std::abort();
      at += 4;
    }
    if (listing[at] != u'0' || listing[at + 1] != u'x' || listing[at + 2] != char16_t(bytes[2 * item]) ||
        listing[at + 3] != char16_t(bytes[2 * item + 1])) {
      std::abort();
    }
    ++item;
  }
  return 0;
}
