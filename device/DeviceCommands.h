#pragma once
// Device-control (group 1) and register-read (group 8) requests. Each call
// addresses the mouse listed under `path`; an unlisted path sends nothing and
// returns 0.
#include <cstdint>

#include "device/HidLink.h"

namespace device {

inline constexpr std::uint8_t kCtlCommit = 0x02;
inline constexpr std::uint8_t kCtlReadSteps = 0x03;
inline constexpr std::uint8_t kCtlReadRatio = 0x04;
inline constexpr std::uint8_t kCtlReadCurrentLevel = 0x07;
inline constexpr std::uint8_t kCtlReadNameByte = 0x09;
inline constexpr std::uint8_t kCtlSetStep = 0x83;
inline constexpr std::uint8_t kCtlSetRatio = 0x84;
inline constexpr std::uint8_t kCtlSetButtonFunction = 0x85;
inline constexpr std::uint8_t kCtlSetProfileValues = 0x86;
inline constexpr std::uint8_t kCtlSelectLevel = 0x87;
inline constexpr std::uint8_t kCtlWriteNameByte = 0x89;

inline constexpr int kAxisX = 0;
inline constexpr int kAxisY = 1;
inline constexpr int kCommitSettleMs = 20;

struct LevelRatio {
  std::uint8_t xNumerator = 1;
  std::uint8_t xDenominator = 1;
  std::uint8_t yNumerator = 1;
  std::uint8_t yDenominator = 1;
};

// Where SetButtonFunction records what it assigns, under the profile and the
// button index as the user counts them.
class ButtonFunctionTable {
 public:
  virtual ~ButtonFunctionTable() = default;
  virtual void Record(int profile, int button, std::uint8_t kind, std::uint16_t code) = 0;
};

// Steps as the mouse sends them: a Y step of 0 stands for "same as X".
int ReadLevelSteps(HidLink& link, const DevicePath& path, int level, std::uint8_t& x,
                   std::uint8_t& y);
int ReadLevelRatio(HidLink& link, const DevicePath& path, int level, LevelRatio& ratio);
// The 16-bit current level, or 0 when the path is empty, unlisted or silent.
int ReadCurrentLevel(HidLink& link, const DevicePath& path);
int SelectLevel(HidLink& link, const DevicePath& path, int level);
int SetLevelStep(HidLink& link, const DevicePath& path, int axis, int level, std::uint8_t step);
int SetLevelRatio(HidLink& link, const DevicePath& path, int axis, int level,
                  std::uint8_t numerator, std::uint8_t denominator);
int CommitSettings(HidLink& link, const DevicePath& path, int settleMs = kCommitSettleMs);

// Profile names are read while arrival runs with a longer pause.
int ReadNameByte(HidLink& link, const DevicePath& path, int profile, int index, bool arrivalBusy,
                 std::uint8_t& value);
int WriteNameByte(HidLink& link, const DevicePath& path, int profile, int index,
                  std::uint8_t value);
// Records into `table` (when given) first, even when no mouse is attached.
int SetButtonFunction(HidLink& link, const DevicePath& path, int profile, int button,
                      std::uint8_t kind, std::uint16_t code, ButtonFunctionTable* table);
int SetProfileValues(HidLink& link, const DevicePath& path, int profile, std::uint8_t a,
                     std::uint8_t b, std::uint8_t c);

int ReadRegister(HidLink& link, const DevicePath& path, std::uint8_t reg, int settleMs,
                 std::uint8_t& value);

// The mouse numbers buttons 3 and 4 the other way round.
inline int DeviceButtonIndex(int button) {
  if (button == 3) return 4;
  if (button == 4) return 3;
  return button;
}

}  // namespace device
