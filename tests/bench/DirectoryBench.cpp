// How close the arrival's reading of the mouse's macros comes to the
// protocol's minimum, against a mouse that spends 1 ms per feature transfer:
// each read is three transfers (idle read, write, reply read) with no settle
// pause.
#include <chrono>

#include "Bench.h"
#include "device/Discovery.h"
#include "device/HidLink.h"
#include "device/MouseDirectory.h"
#include "device/PreciseSleeper.h"
#include "sim/SampleMacros.h"
#include "sim/SimulatedHidPort.h"

// 293 directory reads of 7 bytes and one read per macro for its mode byte.
VANTOR_FIGURE(directory_read_ratio) {
  device::PreciseSleeper sleeper;
  sim::SimulatedHidPort port{&sleeper};
  device::HidLink link{port, sleeper};
  port.AddMouse();
  sim::LoadSampleMacros(port.Mouse(0));
  device::Discover(link);
  port.SetLogging(false);
  port.Mouse(0).faults.transferLatencyUs = 1000;
  std::vector<MouseMacro> macros;
  const auto start = std::chrono::steady_clock::now();
  if (!ReadMouseMacros(link, port.ConfigPath(0), macros)) return -1.0;
  const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const int reads = (kDirectoryBytes + device::kReadChunk - 1) / device::kReadChunk + static_cast<int>(macros.size());
  return wall / (reads * 3.0);
}
