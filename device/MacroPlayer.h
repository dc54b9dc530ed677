#pragma once
// The body of a macro player: plays the macro held by a TimerSlot through the
// mouse's live input and the host's wheel, waiting on the slot's timer
// between steps, and releases whatever it still holds at the end.
//
// Waits are kept on schedule: a wait counts from the moment the command
// before it began, so the time the mouse takes to acknowledge a command does
// not stretch the gaps the user programmed.
#include <array>
#include <cstdint>

#include "device/HidLink.h"
#include "device/HostInput.h"
#include "device/MouseDevice.h"

namespace device {

using MacroStep = std::array<std::uint8_t, 16>;

// The pause after a step that sets no delay.
inline constexpr std::int64_t kStepPauseUs = 50;

struct StepOutcome {
  bool delivered = true;  // false: a live-input request went unacknowledged
  bool wait = false;      // a wait step: `delayUs` is the time it asks for
  std::int64_t delayUs = kStepPauseUs;
};

// Plays one step: opcode in byte 0, operands in bytes 1 and 2.
StepOutcome PlayStep(HidLink& link, HostInput& host, const DevicePath& path, TimerSlot& slot,
                     const MacroStep& step);

// Plays the slot's macro while its run state is "play", over and over while
// the repeat flag is set; stops early when a request fails; then releases
// every key, usage and button still held, empties the macro and sets the
// slot idle. The slot must have its timer.
void PlayMacro(HidLink& link, HostInput& host, const DevicePath& path, TimerSlot& slot);

}  // namespace device
