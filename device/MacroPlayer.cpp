#include "device/MacroPlayer.h"

#include "base/DiagLog.h"
#include "device/LiveInput.h"
#include "macro/MacroCommand.h"

namespace device {
namespace {

constexpr std::uint8_t kKindMask = 0xE0;
constexpr std::uint8_t kButtonBits = 0x1F;

bool Playing(const TimerSlot& slot) { return slot.runState.load() == TimerSlot::kPlay; }

void ReleaseHeld(HidLink& link, const DevicePath& path, TimerSlot& slot) {
  for (int code = 0; code < static_cast<int>(slot.keyDown.size()); ++code) {
    if (slot.keyDown[static_cast<std::size_t>(code)] == 0) continue;
    slot.keyDown[static_cast<std::size_t>(code)] = 0;
    KeyUp(link, path, static_cast<std::uint8_t>(code));
  }
  if (slot.lastUsage != 0) SendUsage16(link, path, 0, 0);
  slot.lastUsage = 0;
  SetButtons(link, path, 0, static_cast<std::uint8_t>(slot.pressedButtons));
  slot.pressedButtons = 0;
}

}  // namespace

StepOutcome PlayStep(HidLink& link, HostInput& host, const DevicePath& path, TimerSlot& slot,
                     const MacroStep& step) {
  StepOutcome outcome;
  const std::uint8_t opcode = step[0];
  const std::uint8_t b1 = step[1];
  const std::uint8_t b2 = step[2];
  switch (opcode) {
    case kOpKeyDown:
      slot.keyDown[b1] = 1;
      // Code 0 sends nothing and is no failure.
      outcome.delivered = b1 == 0 || KeyDown(link, path, b1) == 1;
      return outcome;
    case kOpKeyUp:
      slot.keyDown[b1] = 0;
      outcome.delivered = b1 == 0 || KeyUp(link, path, b1) == 1;
      return outcome;
    case kOpConsumer:
      slot.lastUsage = static_cast<std::uint32_t>(b1 + 256 * b2);
      outcome.delivered = SendUsage16(link, path, b1, b2) == 1;
      return outcome;
    case kOpWaitShort:
      outcome.wait = true;
      outcome.delayUs = std::int64_t{b1} * 1000;
      return outcome;
    case kModeOnce:
    case kModeLoop:
    case kModeFirekey:
      // The mode command only says how the macro repeats; a pause here
      // would only delay the first key of every press.
      outcome.delayUs = 0;
      return outcome;
    case kOpWaitLong:
      outcome.wait = true;
      outcome.delayUs = (std::int64_t{b1} + 256 * std::int64_t{b2}) * 1000;
      return outcome;
    default:
      break;
  }
  const std::uint8_t bits = opcode & kButtonBits;
  switch (opcode & kKindMask) {
    case kOpButtonsDown:
      slot.pressedButtons |= bits;
      outcome.delivered =
          SetButtons(link, path, static_cast<std::uint8_t>(slot.pressedButtons), 0) == 1;
      break;
    case kOpButtonsUp:
      outcome.delivered = SetButtons(link, path, 0, bits) == 1;
      slot.pressedButtons &= ~static_cast<std::uint32_t>(bits);
      break;
    case kOpWheel:
      host.Wheel(WheelCount(opcode));
      break;
    default:
      break;  // carried by the macro, but the player only pauses on it
  }
  return outcome;
}

void PlayMacro(HidLink& link, HostInput& host, const DevicePath& path, TimerSlot& slot) {
  slot.keyDown.fill(0);
  slot.pressedButtons = 0;
  slot.lastUsage = 0;
  Sleeper& clock = link.Clock();
  bool failed = false;
  // When the last command began, plus the waits since: the time the next
  // step is due.
  std::int64_t anchor = clock.NowMicroseconds();
  while (!slot.macro.empty() && Playing(slot) && !failed) {
    for (const MacroStep& step : slot.macro) {
      if (!Playing(slot)) break;
      const std::int64_t began = clock.NowMicroseconds();
      const StepOutcome outcome = PlayStep(link, host, path, slot, step);
      if (!outcome.delivered) {
        // A mouse that no longer acknowledges would otherwise be sent the
        // rest of the macro, possibly for ever in a loop.
        diag::Write("PlayMacro: a live-input request failed; the macro stops");
        failed = true;
        break;
      }
      std::int64_t due = began + outcome.delayUs;
      if (outcome.wait) {
        anchor += outcome.delayUs;
        due = anchor;
      } else {
        anchor = began;
      }
      slot.timer->Arm(due - clock.NowMicroseconds());
      slot.timer->Wait();
    }
    if (slot.repeat.load() == 0) break;
  }
  ReleaseHeld(link, path, slot);
  slot.macro.clear();
  slot.repeat.store(0);
  slot.runState.store(TimerSlot::kIdle);
}

}  // namespace device
