#include "device/SensorListing.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace device {

std::u16string FormatSensorListing(const std::string& text) {
  std::u16string listing;
  int count = 0;
  for (std::size_t line = 0; line < text.size();) {
    if (line + 2 <= text.size() && std::isxdigit(static_cast<unsigned char>(text[line])) &&
        std::isxdigit(static_cast<unsigned char>(text[line + 1]))) {
      if (count % 16 == 0) listing += u"DB \t";
      listing += u"0x";
      listing += static_cast<char16_t>(text[line]);
      listing += static_cast<char16_t>(text[line + 1]);
      listing += count % 16 == 15 ? u"\r\n" : u", ";
      ++count;
    }
    const std::size_t end = text.find("\r\n", line);
    if (end == std::string::npos) break;
    line = end + 2;
  }
  return listing;
}

bool ReadSensorListing(const std::filesystem::path& file, std::u16string& listing) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  listing = FormatSensorListing(text);
  return true;
}

}  // namespace device
