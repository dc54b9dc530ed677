#pragma once
// Side commands: string-descriptor reads that the mouse takes as one-way
// commands (values sent a nibble at a time, parameters, button masks, the
// release at exit). Each sequence holds DeviceLock from first read to last,
// so two threads' values can never interleave.
#include <cstdint>

#include "device/HidLink.h"
#include "device/PathSession.h"

namespace device {

inline constexpr int kNibbleBase = 60;
inline constexpr int kLowNibbleNext = 76;
inline constexpr int kHighNibbleNext = 77;
inline constexpr int kSetParameterBase = 90;
inline constexpr int kSetMaskA = 108;
inline constexpr int kSetMaskB = 109;

// Sends `value` on an open session: low nibble always, high nibble when not 0.
// True when every read succeeded.
bool SendValue(PathSession& session, std::uint8_t value);

// 1 when every read of the sequence succeeded.
int SetDeviceParameter(HidLink& link, const DevicePath& path, std::uint8_t kind, int setting);
// 1 when both masks were delivered.
int SetButtonMasks(HidLink& link, const DevicePath& path, std::uint8_t maskA, std::uint8_t maskB);
// Hands every listed mouse back to itself at exit; returns how many took it.
// Only the instance that owns the tilt mutex calls it, so a second copy of
// the program never releases mice the first one drives.
int ReleaseAll(HidLink& link);

}  // namespace device
