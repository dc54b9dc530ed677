#pragma once
// The mouse's 8-byte notification reports: level changes, wheel and tilt
// movement for the tilt scroller, the profile button, and every other change
// of the host-handled buttons, which goes on to the playback trigger. Runs on
// the main window's thread.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "device/Connection.h"
#include "device/MouseDevice.h"
#include "tilt/TiltAccumulator.h"

namespace device {

inline constexpr std::size_t kNotificationLength = 8;
inline constexpr std::uint8_t kNotifyLevel = 0x0D;
inline constexpr std::uint8_t kNotifyIdle = 0x0B;
inline constexpr std::uint8_t kNotifyInput = 0x0A;

// Button bits after the wheel is folded in.
inline constexpr std::uint32_t kWheelUpBit = 0x100;
inline constexpr std::uint32_t kWheelDownBit = 0x200;
inline constexpr std::uint32_t kIgnoredBits = 0xC00;  // a change here voids the report
inline constexpr std::uint32_t kProfileButtonBit = 0x8000;

// Where button changes of the current mouse go (the playback trigger).
class ButtonChangeHandler {
 public:
  virtual ~ButtonChangeHandler() = default;
  virtual void OnButtonChange(const MouseDevice& mouse, std::uint32_t buttons,
                              std::uint32_t changed) = 0;
};

// The new button state and the changed bits of an input report, given the
// previous state: the wheel counts as a press of button 8 (up) or 9 (down)
// on every report that moves it, and never as a release.
struct FoldedButtons {
  std::uint32_t buttons = 0;
  std::uint32_t changed = 0;
};
FoldedButtons FoldButtons(std::uint32_t previous, std::uint8_t low, std::uint8_t high,
                          std::uint8_t wheel);

class MouseNotifications {
 public:
  // `pulseTilt` wakes the tilt scroller after the accumulators changed.
  MouseNotifications(Connection& connection, TiltAccumulator& tilt, std::function<void()> pulseTilt,
                     ButtonChangeHandler& trigger)
      : connection_(connection), tilt_(tilt), pulseTilt_(std::move(pulseTilt)), trigger_(trigger) {}

  // One report as raw input delivers it; any other length is not ours.
  void OnMouseNotification(const std::uint8_t* report, std::size_t length);

  // Runs after the profile button selected a profile. Set before the first report.
  std::function<void()> AfterProfileButton;

 private:
  void OnLevelChange(const std::uint8_t* report);
  void OnInput(const std::uint8_t* report);
  void OnProfileButton();

  Connection& connection_;
  TiltAccumulator& tilt_;
  std::function<void()> pulseTilt_;
  ButtonChangeHandler& trigger_;
};

}  // namespace device
