#pragma once
// Platform pieces for a mouse session that nobody watches: connection events
// go nowhere, the host takes no wheel turns, and no slot timer is made.
#include <memory>

#include "device/ConnectionEvents.h"
#include "device/HostInput.h"
#include "app/MouseSession.h"
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
