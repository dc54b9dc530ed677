#pragma once
// In simulated mode a script stands in for the user's hand on the mouse: each
// line presses buttons, turns or tilts the wheel, changes the level with the
// mouse's own keys, or unplugs and replugs a mouse. Lines:
//   wait MS | ready | buttons MOUSE MASK | wheel MOUSE STEPS | tilt MOUSE STEPS
//   level MOUSE LEVEL | unplug MOUSE | replug MOUSE      (# starts a comment)
// Numbers are decimal or 0x-hexadecimal; MOUSE is the simulated mouse's index.
#include <cstdint>
#include <string>
#include <vector>

struct SimulatorAction {
  enum class Kind : std::uint8_t { kWait, kAwaitReady, kButtons, kWheel, kTilt, kLevel, kUnplug, kReplug };
  Kind kind = Kind::kWait;
  int mouse = 0;
  int value = 0;  // milliseconds, button mask, steps or level
};

struct SimulatorScript {
  std::vector<SimulatorAction> actions;
  std::string error;  // empty when the whole script was understood
};

// Parses the whole script; on the first bad line the error names it and no
// action is returned, so a half-understood script never runs.
SimulatorScript ParseSimulatorScript(const std::string& text);

// Packs an action (other than a wait) into the two parameters of a window
// message and back, so a script thread or a test can post it to the window.
std::uint32_t PackSimulatorAction(const SimulatorAction& action);
bool UnpackSimulatorAction(std::uint32_t kind, std::int64_t packed, SimulatorAction& action);
std::int64_t PackSimulatorValue(const SimulatorAction& action);
