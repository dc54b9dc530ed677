#pragma once
// The record of one attached mouse and the per-mouse macro player slots.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/HidPort.h"
#include "device/SlotTimer.h"

namespace device {

inline constexpr int kTimerSlotCount = 20;
// Key codes are one byte: 0 to 255.
inline constexpr int kKeyCodeCount = 256;

// State of one host-side macro player. Slots are shared by every copy of the
// record, so a player keeps its slot alive whatever happens to DeviceList.
struct TimerSlot {
  enum RunState : int { kIdle = 0, kPlay = 1, kMouseGone = 2 };

  std::array<std::int32_t, kKeyCodeCount> keyDown{};  // indexed by key code
  std::uint32_t pressedButtons = 0;
  std::uint32_t lastUsage = 0;
  std::atomic<int> runState{kIdle};
  std::atomic<int> repeat{0};
  // The macro being played, one 16-byte step each; owned by the slot while it plays.
  std::vector<std::array<std::uint8_t, 16>> macro;
  // Made the first time the slot plays; it lives as long as the slots do.
  std::unique_ptr<SlotTimer> timer;
};

using TimerSlots = std::array<TimerSlot, kTimerSlotCount>;

struct MouseDevice {
  std::u16string infoText;
  std::u16string productName;
  DevicePath path;
  std::shared_ptr<TimerSlots> timerSlots;
  std::uint32_t identity = 0;
  std::uint32_t infoByte14 = 0;
  std::uint32_t buttonState = 0;  // discovery leaves it 0: no button held
  std::uint32_t featureLength = 0;
  std::uint32_t infoByte15 = 0;
  std::uint32_t sensorKind = 0;
  std::uint32_t deviceNumber = 0;
  std::uint32_t dpiUnit = 0;
};

}  // namespace device
