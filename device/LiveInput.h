#pragma once
// Live-input requests (group 0x0D): the mouse presses and releases keys and
// buttons and sends usages for the host's macro players. Each request is sent
// again, 1 ms apart, until the mouse acknowledges it, but for no longer than
// kLiveInputPatienceMs: a mouse that stops answering must not hold DeviceLock
// and every other thread's device traffic for ever.
#include <cstdint>

#include "device/FeatureReport.h"
#include "device/HidLink.h"

namespace device {

inline constexpr int kLiveInputPatienceMs = 250;

inline constexpr std::uint8_t kLiveKeyDown = 0x01;
inline constexpr std::uint8_t kLiveKeyUp = 0x02;
inline constexpr std::uint8_t kLiveUsage16 = 0x03;
inline constexpr std::uint8_t kLiveButtons = 0x04;

// The request as sent, check byte included.
FeatureReport LiveInputRequest(std::uint8_t sub, std::uint8_t first, std::uint8_t second);

// 1 once acknowledged; 0 when the path is not listed or cannot be opened, or
// when no acknowledgement came within the patience.
int KeyDown(HidLink& link, const DevicePath& path, std::uint8_t code);  // code 0 sends nothing
int KeyUp(HidLink& link, const DevicePath& path, std::uint8_t code);    // code 0 sends nothing
int SendUsage16(HidLink& link, const DevicePath& path, std::uint8_t low, std::uint8_t high);
int SetButtons(HidLink& link, const DevicePath& path, std::uint8_t press, std::uint8_t release);

}  // namespace device
