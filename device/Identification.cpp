#include "device/Identification.h"

namespace device {

std::u16string ReadWideText(const std::uint8_t* buffer, std::size_t size, std::size_t offset) {
  std::u16string text;
  for (std::size_t i = offset; i + 1 < size; i += 2) {
    const auto c = static_cast<char16_t>(buffer[i] | (buffer[i + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

bool ParseIdentification(const std::uint8_t* buffer, std::size_t size, Identification& out) {
  constexpr std::size_t kFixedPart = 25;
  if (buffer == nullptr || size < kFixedPart) return false;
  Identification parsed;
  parsed.maker = ReadWideText(buffer, size, 0);
  parsed.infoByte14 = buffer[14];
  parsed.infoByte15 = buffer[15];
  parsed.sensorKind = buffer[16];
  parsed.dpiUnit = buffer[17];
  for (int i = 0; i < 7; ++i) {
    for (int b = 0; b < 8; ++b) {
      if (buffer[18 + i] & (1u << b)) parsed.allowedSteps |= std::uint64_t{1} << (8 * i + b + 1);
    }
  }
  parsed.infoText = ReadWideText(buffer, size, 28);
  out = parsed;
  return true;
}

std::uint32_t ParseIdentity(const std::uint8_t* buffer, std::size_t size) {
  if (buffer == nullptr || size < 5) return 0;
  return static_cast<std::uint32_t>(buffer[1]) | (static_cast<std::uint32_t>(buffer[2]) << 8) |
         (static_cast<std::uint32_t>(buffer[3]) << 16) |
         (static_cast<std::uint32_t>(buffer[4]) << 24);
}

}  // namespace device
