#include "device/MacroPlayers.h"

#include <algorithm>

#include "device/MacroPlayer.h"

namespace device {

MacroPlayers::~MacroPlayers() {
  StopAll();
  JoinAll();
}

int PlayModeOf(const MacroCommands& macro) {
  if (macro.empty()) return kPlayOnce;
  if (macro.front().code[0] == kModeLoop) return kPlayLoop;
  if (macro.front().code[0] == kModeFirekey) return kPlayFirekey;
  return kPlayOnce;
}

int MacroPlayers::StartSlot(const MouseDevice& mouse, int slot, const MacroCommands& macro,
                            int mode) {
  if (!mouse.timerSlots || slot < 0 || slot >= kTimerSlotCount) return 0;
  JoinFinished();
  TimerSlot& target = (*mouse.timerSlots)[static_cast<std::size_t>(slot)];
  int idle = TimerSlot::kIdle;
  if (!target.runState.compare_exchange_strong(idle, TimerSlot::kPlay)) return 0;

  if (!target.timer) target.timer = timers_.Create();
  target.timer->Reset();
  target.repeat.store(mode);
  target.macro.clear();
  for (const MacroCommand& command : macro) {
    MacroStep step{};
    std::copy(std::begin(command.code), std::end(command.code), step.begin());
    target.macro.push_back(step);
  }

  Player player;
  player.slots = mouse.timerSlots;
  player.ended = std::make_shared<std::atomic<bool>>(false);
  auto slots = mouse.timerSlots;
  auto ended = player.ended;
  const DevicePath path = mouse.path;
  HidLink& link = link_;
  HostInput& host = host_;
  player.thread = std::thread([&link, &host, slots, ended, path, slot] {
    PlayMacro(link, host, path, (*slots)[static_cast<std::size_t>(slot)]);
    ended->store(true);
  });
  std::lock_guard<std::mutex> hold(mutex_);
  players_.push_back(std::move(player));
  return 1;
}

void MacroPlayers::StopSlot(TimerSlot& slot) {
  int playing = TimerSlot::kPlay;
  // Only a playing slot: a player that has just ended must find its slot idle.
  if (!slot.runState.compare_exchange_strong(playing, TimerSlot::kMouseGone)) return;
  if (slot.timer) slot.timer->FireNow();
}

void MacroPlayers::StopAllSlots(TimerSlots& slots) {
  for (TimerSlot& slot : slots) {
    slot.runState.store(TimerSlot::kMouseGone);
    if (slot.timer) slot.timer->FireNow();
  }
}

void MacroPlayers::StopAll() {
  std::lock_guard<std::mutex> hold(mutex_);
  for (Player& player : players_) {
    for (TimerSlot& slot : *player.slots) StopSlot(slot);
  }
}

void MacroPlayers::JoinFinished() {
  std::vector<Player> finished;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    const auto split = std::stable_partition(players_.begin(), players_.end(),
                                             [](const Player& p) { return !p.ended->load(); });
    std::move(split, players_.end(), std::back_inserter(finished));
    players_.erase(split, players_.end());
  }
  for (Player& player : finished) player.thread.join();
}

void MacroPlayers::JoinAll() {
  std::vector<Player> all;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    all.swap(players_);
  }
  for (Player& player : all) player.thread.join();
}

int MacroPlayers::Running() {
  std::lock_guard<std::mutex> hold(mutex_);
  return static_cast<int>(std::count_if(players_.begin(), players_.end(),
                                        [](const Player& p) { return !p.ended->load(); }));
}

}  // namespace device
