#pragma once
// The connection's events, carried to the window's thread as posted
// messages; only the tilt mutex is asked for with a sent one, so that the
// window's thread owns it and it is not abandoned when the arrival ends.
#include <windows.h>

#include "app/WindowEvent.h"
#include "device/ConnectionEvents.h"

class PostedConnectionEvents final : public device::ConnectionEvents {
 public:
  explicit PostedConnectionEvents(HWND window) : window(window) {}

  void RescanWanted(int delayMs) override { Post(WindowEvent::Kind::kRescanWanted, delayMs); }
  void ArrivalEnded(bool found) override { Post(WindowEvent::Kind::kArrivalEnded, found ? 1 : 0); }
  void MouseLost() override { Post(WindowEvent::Kind::kMouseLost, 0); }
  void LevelChangedOnMouse(int level) override { Post(WindowEvent::Kind::kLevelChangedOnMouse, level); }
  void SettingsChanged() override { Post(WindowEvent::Kind::kSettingsChanged, 0); }
  bool CreateTiltMutex() override;

  // The posted message back as the controller's event.
  static WindowEvent Decode(WPARAM kind, LPARAM value);

 private:
  void Post(WindowEvent::Kind kind, int value) const;

  HWND window;
};
