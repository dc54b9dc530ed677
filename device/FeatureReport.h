#pragma once
// The 9-byte feature report every request and reply travels in.
#include <array>
#include <cstdint>

namespace device {

inline constexpr int kFeatureLength = 9;
using FeatureReport = std::array<std::uint8_t, kFeatureLength>;

// Byte 1 of a request: the command group.
inline constexpr std::uint8_t kGroupControl = 0x01;
inline constexpr std::uint8_t kGroupMemory = 0x02;
inline constexpr std::uint8_t kGroupRegister = 0x08;
inline constexpr std::uint8_t kGroupProbe = 0x09;
inline constexpr std::uint8_t kGroupLiveInput = 0x0D;

// Byte 1 of a reply: status flags over six bits of data.
inline constexpr std::uint8_t kStatusBusy = 0x80;
inline constexpr std::uint8_t kStatusReady = 0x40;

inline constexpr std::uint8_t kTrailer = 0x12;
// Reply byte 3 of an acknowledged live-input request.
inline constexpr std::uint8_t kLiveInputAck = 0x12;

// The live-input check byte: bytes 1 to 7 folded with XOR.
inline std::uint8_t CheckByte(const FeatureReport& request) {
  std::uint8_t check = 0;
  for (int i = 1; i <= 7; ++i) check = static_cast<std::uint8_t>(check ^ request[i]);
  return check;
}

// A request with its group, sub-command and trailer; other bytes 0.
inline FeatureReport MakeRequest(std::uint8_t group, std::uint8_t sub, std::uint8_t trailer) {
  FeatureReport request{};
  request[1] = group;
  request[2] = sub;
  request[8] = trailer;
  return request;
}

}  // namespace device
