#pragma once
// Decides, for each change of the current mouse's buttons, which macro
// players start and which stop. A press of a one-time or loop macro's button
// stops every playing one-time or loop macro, or starts its own when none
// played; a firekey macro plays while its button is held, beside the others.
// The wheel (buttons 8 and 9) always plays its macros once.
#include <atomic>
#include <cstdint>

#include "device/MacroPlayers.h"
#include "device/MouseNotifications.h"
#include "macro/SoftwareProfiles.h"

// Buttons whose presses can play a macro; each has the player slot of its number.
inline constexpr int kTriggerButtons = 10;

// The button (and slot) that bit `bit` of the report stands for: the mouse
// reports buttons 3 and 4 the other way round.
inline int TriggerButtonOfBit(int bit) {
  if (bit == 3) return 4;
  if (bit == 4) return 3;
  return bit;
}

class PlaybackTrigger final : public device::ButtonChangeHandler {
 public:
  // `operationBusy`: while set, nothing is started or stopped.
  PlaybackTrigger(SoftwareProfiles& profiles, device::MacroPlayers& players,
                  const std::atomic<bool>& operationBusy)
      : profiles_(profiles), players_(players), operationBusy_(operationBusy) {}

  void OnButtonChange(const device::MouseDevice& mouse, std::uint32_t buttons,
                      std::uint32_t changed) override;

 private:
  // Stops every playing slot 0..9 that is not a firekey macro; true when one was.
  bool StopOnceAndLoopPlayers(device::TimerSlots& slots);

  SoftwareProfiles& profiles_;
  device::MacroPlayers& players_;
  const std::atomic<bool>& operationBusy_;
};
