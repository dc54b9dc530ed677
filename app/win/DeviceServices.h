#pragma once
// The program's one device link, built before the main window: over the
// system's HID driver, or over simulated mice when started with /simulate.
// Its exchanges take the session mutex that the command-line tool shares.
#include <filesystem>
#include <memory>

#include "app/StartupSwitches.h"
#include "device/ExchangeTimeLog.h"
#include "device/HidLink.h"
#include "device/HidPort.h"
#include "device/SessionLock.h"
#include "device/Sleeper.h"
#include "sim/SimulatedHidPort.h"

class DeviceServices {
 public:
  explicit DeviceServices(const StartupSwitches& switches);
  DeviceServices(const DeviceServices&) = delete;
  DeviceServices& operator=(const DeviceServices&) = delete;

  device::HidLink& Link() { return *link; }
  device::Sleeper& Clock() { return *sleeper; }
  // Null unless the program runs on simulated mice.
  sim::SimulatedHidPort* Simulator() { return simulator; }

  // Writes every request the simulated mice received, one line each, prefixed
  // with the mouse's index; nothing when not simulated.
  void WriteSimulatorLog(const std::filesystem::path& file) const;
  // The same with the time of each request ("MOUSE MICROSECONDS REQUEST"),
  // on the clock that the window's own log lines quote.
  void WriteSimulatorTimes(const std::filesystem::path& file) const;
  // The first simulated mouse's 8192 bytes of memory, kept in a file between
  // runs the way a real mouse keeps them; a file of another size is ignored.
  // Call these only while no other thread talks to the mice.
  void LoadSimulatorMemory(const std::filesystem::path& file);
  void SaveSimulatorMemory(const std::filesystem::path& file);

 private:
  std::unique_ptr<device::HidPort> port;
  sim::SimulatedHidPort* simulator = nullptr;
  std::unique_ptr<device::Sleeper> sleeper;
  std::unique_ptr<device::SessionLock> session;
  device::ExchangeTimeLog exchangeTimes;
  std::unique_ptr<device::HidLink> link;
};
