#pragma once
// Platform pieces for a mouse session that nobody watches: connection events
// go nowhere, the host takes no wheel turns, no slot timer is made, and a
// long operation's window shows nothing.
#include <array>
#include <memory>
#include <string>

#include "app/MouseSession.h"
#include "device/ConnectionEvents.h"
#include "device/DeviceOperations.h"
#include "device/HostInput.h"
#include "device/SlotTimer.h"

class IgnoredConnectionEvents final : public device::ConnectionEvents {
 public:
  void RescanWanted(int) override {}
  void ArrivalEnded(bool) override {}
  void MouseLost() override {}
  void LevelChangedOnMouse(int) override {}
  void SettingsChanged() override {}
  bool CreateTiltMutex() override { return false; }
};

class NoHostInput final : public device::HostInput {
 public:
  void Wheel(int) override {}
};

struct NoSlotTimers final : device::SlotTimerFactory {
  std::unique_ptr<device::SlotTimer> Create() override { return nullptr; }
};

// The pieces together, for a session over `link` that nobody watches.
struct QuietPlatform {
  IgnoredConnectionEvents events;
  NoHostInput host;
  NoSlotTimers slotTimers;
  TiltAccumulator tilt;

  SessionPlatform For(device::HidLink& link) { return {link, events, host, slotTimers, tilt, [] {}, [] {}}; }
};

// A window that shows nothing of a long operation, as a hidden one would.
struct QuietWindow final : device::OperationProgress, device::OperationHost {
  device::DevicePath path;
  void ShowFraction(double) override {}
  void ShowStatus(device::OperationStatus, const std::u16string&) override {}
  void ShowSecondLine(const std::u16string&) override {}
  void RepaintWindow() override {}
  device::DevicePath CurrentPath() override { return path; }
  void DeviceArrival() override {}
  void StoreLevelSteps(const std::array<device::LevelSteps, 4>&) override {}
};
