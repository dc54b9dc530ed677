#include "base/ArchiveString.h"

#include <cstdint>

namespace {

constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kLongLength = 0xFFFF;

// Reads the length after an optional marker; `wide` tells whether one was seen.
bool ReadLength(ByteReader& reader, std::uint32_t& length, bool& wide) {
  wide = false;
  for (;;) {
    std::uint8_t shortLength = 0;
    if (!reader.ReadU8(shortLength)) return false;
    if (shortLength < 0xFF) {
      length = shortLength;
      return true;
    }
    std::uint16_t mediumLength = 0;
    if (!reader.ReadU16(mediumLength)) return false;
    if (mediumLength == kWideMarker) {
      if (wide) {
        reader.Fail("text carries the wide-string marker twice");
        return false;
      }
      wide = true;
      continue;
    }
    if (mediumLength < kWideMarker) {
      length = mediumLength;
      return true;
    }
    std::uint32_t longLength = 0;
    if (!reader.ReadU32(longLength)) return false;
    if (longLength == 0xFFFFFFFFu) {
      reader.Fail("text length in an unsupported 64-bit form");
      return false;
    }
    length = longLength;
    return true;
  }
}

}  // namespace

bool ReadArchiveString(ByteReader& reader, std::u16string& text) {
  std::uint32_t length = 0;
  bool wide = false;
  if (!ReadLength(reader, length, wide)) return false;
  if (!reader.CanHold(length, wide ? 2 : 1)) return false;
  std::u16string result(length, u'\0');
  for (std::uint32_t i = 0; i < length; ++i) {
    if (wide) {
      std::uint16_t unit = 0;
      if (!reader.ReadU16(unit)) return false;
      result[i] = static_cast<char16_t>(unit);
    } else {
      std::uint8_t unit = 0;
      if (!reader.ReadU8(unit)) return false;
      result[i] = static_cast<char16_t>(unit);
    }
  }
  text.swap(result);
  return true;
}

void WriteArchiveString(ByteWriter& writer, const std::u16string& text) {
  writer.WriteU8(0xFF);
  writer.WriteU16(kWideMarker);
  const std::uint64_t length = text.size();
  if (length < 0xFF) {
    writer.WriteU8(static_cast<std::uint8_t>(length));
  } else if (length < kWideMarker) {
    writer.WriteU8(0xFF);
    writer.WriteU16(static_cast<std::uint16_t>(length));
  } else {
    writer.WriteU8(0xFF);
    writer.WriteU16(kLongLength);
    writer.WriteU32(static_cast<std::uint32_t>(length));
  }
  for (char16_t unit : text) writer.WriteU16(static_cast<std::uint16_t>(unit));
}
