#pragma once
// String descriptor 250, the mouse's identification: the maker's name, four
// information bytes, the mask of allowed DPI steps and a free text.
#include <cstddef>
#include <cstdint>
#include <string>

namespace device {

inline constexpr int kIdentifyIndex = 250;
inline constexpr int kIdentityIndex = 251;
inline constexpr std::size_t kDescriptorBuffer = 512;
inline constexpr char16_t kMakerName[] = u"Calvex";

struct Identification {
  std::u16string maker;  // the zero-terminated text at byte 0
  std::uint8_t infoByte14 = 0;
  std::uint8_t infoByte15 = 0;
  std::uint8_t sensorKind = 0;  // 1: X and Y steps may differ, top step 56
  std::uint8_t dpiUnit = 0;
  std::uint64_t allowedSteps = 0;  // bit s set: step s (1..56) is allowed
  std::u16string infoText;         // the zero-terminated text from byte 28
};

// Reads a zero-terminated UTF-16LE text from `offset`, never past `size`.
std::u16string ReadWideText(const std::uint8_t* buffer, std::size_t size, std::size_t offset);

// False when the buffer is too short to hold the fixed part (25 bytes).
bool ParseIdentification(const std::uint8_t* buffer, std::size_t size, Identification& out);

// Bytes 1 to 4 of descriptor 251, little endian.
std::uint32_t ParseIdentity(const std::uint8_t* buffer, std::size_t size);

}  // namespace device
