#pragma once
// A cursor over a byte buffer that never reads past its end. Every read checks
// the bytes left; the first failure sticks, so a parser can read a whole record
// and test once. The offset of the failure says where a file went wrong.
#include <cstddef>
#include <cstdint>
#include <string>

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t Offset() const { return offset_; }
  std::size_t Remaining() const { return size_ - offset_; }
  bool AtEnd() const { return offset_ == size_; }
  bool Failed() const { return failed_; }
  // Where the first failure happened and what was wanted there.
  std::size_t FailOffset() const { return failOffset_; }
  const std::string& FailReason() const { return failReason_; }

  bool ReadU8(std::uint8_t& value);
  bool ReadU16(std::uint16_t& value);
  bool ReadU32(std::uint32_t& value);
  bool ReadBytes(void* out, std::size_t count);
  bool Skip(std::size_t count);

  // True when `count` items of at least `minItemSize` bytes each can still be
  // there; call it before reserving room for a count read from a file.
  bool CanHold(std::uint64_t count, std::size_t minItemSize);

  // Marks the reader failed at the current offset (for checks of the content).
  void Fail(const std::string& reason) { FailAt(offset_, reason); }
  void FailAt(std::size_t offset, const std::string& reason);

 private:
  bool Need(std::size_t count, const char* what);

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
  bool failed_ = false;
  std::size_t failOffset_ = 0;
  std::string failReason_;
};
