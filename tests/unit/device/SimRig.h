#pragma once
// A link wired to a simulated port on a virtual clock, for the device tests.
// A request that the mouse finds malformed fails the test that sent it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/Discovery.h"
#include "device/HidLink.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"

struct SimRig {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  device::HidLink link{port, clock};

  // Adds `mice` mice, discovers them and clears the log and the clock's pauses.
  explicit SimRig(int mice = 1, sim::MouseConfig config = {}) {
    for (int i = 0; i < mice; ++i) {
      config.identity = 0x11220000u + static_cast<std::uint32_t>(i);
      port.AddMouse(config);
    }
    if (mice > 0) {
      device::Discover(link);
      Forget();
    }
  }
  ~SimRig() { EXPECT_EQ(port.ProtocolErrors(), std::vector<std::string>{}); }
  SimRig(const SimRig&) = delete;
  SimRig& operator=(const SimRig&) = delete;

  sim::SimulatedMouse& Mouse(int i = 0) { return port.Mouse(i); }
  device::DevicePath Path(int i = 0) const { return port.ConfigPath(i); }
  std::vector<std::string> Requests(int mouse = -1) const { return port.Requests(mouse); }
  std::vector<std::int64_t> Sleeps() const { return clock.Sleeps(); }
  void Forget() {
    port.ClearLog();
    clock.ClearSleeps();
  }
};
