#pragma once
// In simulated mode, the user's hand on the simulated mice: a script played
// on a thread of its own, whose actions reach the mice on the window's
// thread (where the mouse's reports arrive in the program).
#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "app/MouseSession.h"
#include "app/SimulatorScript.h"
#include "sim/SimulatedHidPort.h"

class SimulatorHand {
 public:
  // `post` hands a packed action to the window's thread, which gives it back
  // to Apply. Every reference must outlive the hand.
  SimulatorHand(sim::SimulatedHidPort& port, MouseSession& session,
                std::function<void(std::uint32_t, std::int64_t)> post)
      : port(port), session(session), post(std::move(post)) {}
  ~SimulatorHand() { Stop(); }
  SimulatorHand(const SimulatorHand&) = delete;
  SimulatorHand& operator=(const SimulatorHand&) = delete;

  // Parses the script and plays it; a script with a bad line plays nothing.
  void Play(const std::string& scriptText);
  // Ends the script where it waits.
  void Stop();
  // The window's thread: one posted action.
  void Apply(std::uint32_t kind, std::int64_t packed);

 private:
  void Run(SimulatorScript script);
  // Waits `ms` unless stopped; false when stopped.
  bool Pause(int ms);

  sim::SimulatedHidPort& port;
  MouseSession& session;
  std::function<void(std::uint32_t, std::int64_t)> post;
  std::array<std::uint16_t, 2> buttons{};
  std::mutex lock;
  std::condition_variable wake;
  bool stopped = false;
  std::thread thread;
};
