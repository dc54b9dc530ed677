#pragma once
// What the tool's device commands need from the system they run on: the HID
// port to real mice (none on a build without one), a sleeper, the lock shared
// with the window, whether standard error is a terminal, environment
// variables and the tool's own folder. The simulated mouse needs nothing of it but the sleeper.
#include <filesystem>
#include <memory>
#include <string>

#include "device/HidPort.h"
#include "device/SessionLock.h"
#include "device/Sleeper.h"

class ToolPlatform {
 public:
  virtual ~ToolPlatform() = default;
  // Null where this build cannot reach a real mouse.
  virtual std::unique_ptr<device::HidPort> SystemPort() = 0;
  virtual device::Sleeper& Clock() = 0;
  // Null where there is no other program to share the mouse with.
  virtual device::SessionLock* Session() = 0;
  // Progress bars are drawn only on a terminal.
  virtual bool ErrorIsTerminal() = 0;
  // Empty when the variable is not set.
  virtual std::string Environment(const char* name) = 0;
  // The folder the tool runs from, where the window keeps its files too;
  // empty when unknown.
  virtual std::filesystem::path ProgramDir() = 0;
};
