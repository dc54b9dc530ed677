#include "base/ByteWriter.h"

// Whole values are appended at once: a library's device records are tens of
// thousands of numbers, saved on every profile switch.
std::uint8_t* ByteWriter::Grow(std::size_t count) {
  const std::size_t at = bytes_.size();
  bytes_.resize(at + count);
  return bytes_.data() + at;
}

void ByteWriter::WriteU16(std::uint16_t value) {
  std::uint8_t* out = Grow(2);
  out[0] = static_cast<std::uint8_t>(value);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}

void ByteWriter::WriteU32(std::uint32_t value) { WriteU32s(&value, 1); }

void ByteWriter::WriteU32s(const std::uint32_t* values, std::size_t count) {
  std::uint8_t* out = Grow(count * 4);
  for (const std::uint32_t* end = values + count; values != end; ++values, out += 4) {
    out[0] = static_cast<std::uint8_t>(*values);
    out[1] = static_cast<std::uint8_t>(*values >> 8);
    out[2] = static_cast<std::uint8_t>(*values >> 16);
    out[3] = static_cast<std::uint8_t>(*values >> 24);
  }
}

void ByteWriter::WriteBytes(const void* data, std::size_t count) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), p, p + count);
}
