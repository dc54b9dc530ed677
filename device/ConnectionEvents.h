#pragma once
// What the connection tells whoever shows the mouse (the main window; tests
// use a recorder). Arrival calls it from its own thread, the presence check
// and the notifications from the window's thread, so an implementation hands
// each event on without waiting for the window, except CreateTiltMutex,
// which the window's thread must answer.
namespace device {

inline constexpr int kRescanFirstMs = 200;
inline constexpr int kRescanRetryMs = 3000;

class ConnectionEvents {
 public:
  virtual ~ConnectionEvents() = default;

  // The connection wants OnRescanTimer after `delayMs`, repeatedly; 0: no more.
  virtual void RescanWanted(int delayMs) = 0;
  // An arrival ended. With `found` the current mouse's unit, top step, levels
  // and current level are in the connection; without, there is no mouse.
  virtual void ArrivalEnded(bool found) = 0;
  // The current mouse stopped answering and was dropped.
  virtual void MouseLost() = 0;
  // The mouse moved to level `level` with its own keys (already stored).
  virtual void LevelChangedOnMouse(int level) = 0;
  // The current software profile or what the mouse holds changed: what is
  // shown of it is read again.
  virtual void SettingsChanged() = 0;
  // Creates the named tilt mutex; true when this process now owns it.
  virtual bool CreateTiltMutex() = 0;
};

}  // namespace device
