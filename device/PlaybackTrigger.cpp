#include "device/PlaybackTrigger.h"

using device::TimerSlot;

namespace {

constexpr int kReportBits = 16;
constexpr int kFirstWheelButton = 8;

}  // namespace

void PlaybackTrigger::OnButtonChange(const device::MouseDevice& mouse, std::uint32_t buttons,
                                     std::uint32_t changed) {
  if (!mouse.timerSlots) return;
  device::TimerSlots& slots = *mouse.timerSlots;
  for (int bit = 0; bit < kReportBits && !operationBusy_.load(); ++bit) {
    const std::uint32_t mask = 1u << bit;
    if ((changed & mask) == 0) continue;
    const int button = TriggerButtonOfBit(bit);
    if (button >= kTriggerButtons) continue;
    TimerSlot& slot = slots[static_cast<std::size_t>(button)];

    if ((buttons & mask) == 0) {
      if (slot.repeat.load() == device::kPlayFirekey) device::MacroPlayers::StopSlot(slot);
      continue;
    }
    MacroCommands macro;
    // A button without a macro (or with the id of a removed one) does nothing,
    // and in particular stops nothing.
    if (!profiles_.MacroForButton(button, macro)) continue;
    const int mode = button >= kFirstWheelButton ? device::kPlayOnce : device::PlayModeOf(macro);
    if (mode != device::kPlayFirekey && StopOnceAndLoopPlayers(slots)) continue;
    if (slot.runState.load() == TimerSlot::kIdle) players_.StartSlot(mouse, button, macro, mode);
  }
}

bool PlaybackTrigger::StopOnceAndLoopPlayers(device::TimerSlots& slots) {
  bool stopped = false;
  for (int i = 0; i < kTriggerButtons; ++i) {
    TimerSlot& slot = slots[static_cast<std::size_t>(i)];
    if (slot.runState.load() != TimerSlot::kPlay || slot.repeat.load() == device::kPlayFirekey) {
      continue;
    }
    device::MacroPlayers::StopSlot(slot);
    stopped = true;
  }
  return stopped;
}
