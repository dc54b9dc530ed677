#pragma once
// Finds every attached mouse of the family among the HID interfaces, tells
// each its device number and fills DeviceList with one record per mouse.
#include <cstdint>

#include "device/HidLink.h"

namespace device {

// Side commands of the numbering handshake.
inline constexpr int kPrepareIndex = 50;
inline constexpr int kReleaseIndex = 51;
inline constexpr int kAssignNumberBase = 30;  // 30 + n tells the mouse its number n
inline constexpr int kHighestDeviceNumber = 19;

// Empties DeviceList and rebuilds it, holding DeviceLock throughout.
void Discover(HidLink& link);

// The next free device number after `counter` (1..19, wrapping past 19 to 1),
// or 0 when every number is taken. Advances `counter` like the mouse expects.
std::uint32_t NextDeviceNumber(std::uint8_t& counter, const DeviceList& list);

// The top of the DPI sliders for a mouse of this kind.
inline int TopDpiStep(std::uint32_t sensorKind) { return sensorKind == 1 ? 56 : 50; }

}  // namespace device
