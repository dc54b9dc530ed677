#pragma once
// Builds a little-endian byte string for the program's files.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class ByteWriter {
 public:
  void WriteU8(std::uint8_t value) { bytes_.push_back(value); }
  void WriteU16(std::uint16_t value);
  void WriteU32(std::uint32_t value);
  void WriteU32s(const std::uint32_t* values, std::size_t count);
  void WriteBytes(const void* data, std::size_t count);
  void Reserve(std::size_t count) { bytes_.reserve(count); }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::uint8_t* Grow(std::size_t count);

  std::vector<std::uint8_t> bytes_;
};
