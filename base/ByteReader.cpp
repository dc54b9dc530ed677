#include "base/ByteReader.h"

#include <cstring>

bool ByteReader::Need(std::size_t count, const char* what) {
  if (failed_) return false;
  if (count > Remaining()) {
    Fail(std::string("file ends before ") + what);
    return false;
  }
  return true;
}

void ByteReader::FailAt(std::size_t offset, const std::string& reason) {
  if (failed_) return;
  failed_ = true;
  failOffset_ = offset;
  failReason_ = reason;
}

bool ByteReader::ReadU8(std::uint8_t& value) {
  if (!Need(1, "a byte")) return false;
  value = data_[offset_++];
  return true;
}

bool ByteReader::ReadU16(std::uint16_t& value) {
  if (!Need(2, "a 16-bit value")) return false;
  value = static_cast<std::uint16_t>(data_[offset_] | (data_[offset_ + 1] << 8));
  offset_ += 2;
  return true;
}

bool ByteReader::ReadU32(std::uint32_t& value) {
  if (!Need(4, "a 32-bit value")) return false;
  const std::uint8_t* p = data_ + offset_;
  value = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
          (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  offset_ += 4;
  return true;
}

bool ByteReader::ReadBytes(void* out, std::size_t count) {
  if (!Need(count, "a block of bytes")) return false;
  if (count != 0) std::memcpy(out, data_ + offset_, count);
  offset_ += count;
  return true;
}

bool ByteReader::Skip(std::size_t count) {
  if (!Need(count, "a block of bytes")) return false;
  offset_ += count;
  return true;
}

bool ByteReader::CanHold(std::uint64_t count, std::size_t minItemSize) {
  if (failed_) return false;
  const std::uint64_t left = Remaining();
  if (minItemSize != 0 && count > left / minItemSize) {
    Fail("count " + std::to_string(count) + " is larger than the rest of the file can hold");
    return false;
  }
  return true;
}
