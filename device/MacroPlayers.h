#pragma once
// Starts and stops the macro player threads of the mice and owns them: every
// thread is joined, none is left running on freed memory. A player holds the
// slots of its mouse (and with them the slots' timers) until it has ended, so
// a record that the presence check or a new discovery drops stays alive for
// as long as one of its players runs.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "device/HidLink.h"
#include "device/HostInput.h"
#include "device/MouseDevice.h"
#include "device/SlotTimer.h"
#include "macro/MacroCommand.h"

namespace device {

// Play modes, from a macro's mode command.
inline constexpr int kPlayOnce = 0;
inline constexpr int kPlayLoop = 1;
inline constexpr int kPlayFirekey = 2;

class MacroPlayers {
 public:
  // All three must outlive the players.
  MacroPlayers(HidLink& link, HostInput& host, SlotTimerFactory& timers)
      : link_(link), host_(host), timers_(timers) {}
  ~MacroPlayers();
  MacroPlayers(const MacroPlayers&) = delete;
  MacroPlayers& operator=(const MacroPlayers&) = delete;

  // Copies `macro` (mode command included) into slot `slot` of `mouse`, sets
  // the slot playing with the repeat flag `mode` and starts its player. 1 on
  // success; 0 when the slot is not idle or does not exist.
  int StartSlot(const MouseDevice& mouse, int slot, const MacroCommands& macro, int mode);
  // Asks a playing slot to stop: its player wakes at once and releases what
  // it holds. A slot that is not playing is left as it is.
  static void StopSlot(TimerSlot& slot);
  // The mouse is gone: every slot is marked so and every waiting player woken.
  static void StopAllSlots(TimerSlots& slots);
  // Stops every player that runs, of any mouse.
  void StopAll();

  // Joins the players that have ended.
  void JoinFinished();
  // Waits for every player to end (stop them first, or this waits for the
  // macros to play out).
  void JoinAll();
  int Running();

 private:
  struct Player {
    std::thread thread;
    std::shared_ptr<TimerSlots> slots;
    std::shared_ptr<std::atomic<bool>> ended;
  };

  HidLink& link_;
  HostInput& host_;
  SlotTimerFactory& timers_;
  std::mutex mutex_;
  std::vector<Player> players_;
};

// The play mode that a macro's first command asks for.
int PlayModeOf(const MacroCommands& macro);

}  // namespace device
