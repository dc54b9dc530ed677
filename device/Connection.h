#pragma once
// The program's idea of the current mouse, kept in step with what is plugged
// in: rescans run discovery on an arrival thread, arrival sets the main
// window up from the first mouse found, a device change checks that the
// current mouse is still there, and a mouse that goes takes its players with
// it. Shared flags are atomics; the path and the levels are copied under a
// lock.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "device/ConnectionEvents.h"
#include "device/DpiLevels.h"
#include "device/HidLink.h"
#include "device/MacroPlayers.h"
#include "device/SharedValue.h"
#include "macro/SoftwareProfiles.h"

namespace device {

inline constexpr int kLevelCount = 4;
using LevelTable = std::array<LevelSteps, kLevelCount>;

inline constexpr std::int64_t kNoIdentity = -1;
inline constexpr int kStartDpiUnit = 100;
inline constexpr int kStartTopDpiStep = 56;
// Arrival waits this long after a rescan, so a mouse being plugged in settles.
inline constexpr int kArrivalDelayMs = 500;
// The system's device-change event for "devices were added or removed".
inline constexpr std::uintptr_t kDevNodesChanged = 7;

class Connection {
 public:
  // Every reference must outlive the connection.
  Connection(HidLink& link, ConnectionEvents& events, SoftwareProfiles& profiles, MacroPlayers& players)
      : link_(link), events_(events), profiles_(profiles), players_(players) {}
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // The state of the current mouse.
  SharedValue<DevicePath> CurrentPath;
  std::atomic<std::int64_t> CurrentIdentity{kNoIdentity};  // the mouse's identity, or -1
  std::atomic<int> CurrentDpiUnit{kStartDpiUnit};
  std::atomic<int> TopDpiStep{kStartTopDpiStep};
  SharedValue<LevelTable> LevelSteps;
  std::atomic<int> CurrentLevelIndex{0};
  std::atomic<bool> ArrivalBusy{false};
  std::atomic<bool> DeviceReady{false};
  // Set while arrival, backup, restore, reset or a library worker runs.
  std::atomic<bool> OperationBusy{false};
  std::atomic<int> PendingRescans{0};
  // Set when arrival created the tilt mutex; the window clears it when it
  // gives the mutex up.
  std::atomic<bool> TiltMutexOwned{false};

  // One more rescan is wanted; the next rescan tick starts it.
  void RequestRescan();
  // The rescan tick: starts the arrival thread when a rescan is pending and
  // no arrival or other device operation runs. The ticks stop once there is
  // nothing left to wait for.
  void OnRescanTimer();
  // Discovers the mice and sets the window up from the first one. Runs on the
  // arrival thread; restore and reset call it at their end, on their thread.
  void DeviceArrival();
  // The system reported a device change (the window's WM_DEVICECHANGE).
  void OnDeviceChange(std::uintptr_t event);
  // True when the mouse at `path` still answers with its identity. A mouse
  // that does not is removed from DeviceList and its players are stopped.
  bool IsStillPresent(const DevicePath& path);
  // Drops every record of DeviceList and stops their players.
  void ClearDeviceTable();

  // The current mouse's level: reads the four levels into LevelSteps.
  void ReadLevels();
  // Sends the masks of the current software profile to the current mouse.
  int SendButtonMasks();
  // Sends the current software profile's three settings to the current
  // mouse as device parameters 0, 1 and 2. 1 when all three went.
  int SendProfileValues();
  // Runs at the end of each arrival, on its thread while ArrivalBusy is still
  // set, with the current path (empty when no mouse was found). Set before
  // the first rescan.
  std::function<void(const DevicePath&)> AfterArrival;
  // Runs on the arrival's thread once it has cleared ArrivalBusy and
  // OperationBusy. Set before the first rescan.
  std::function<void()> AfterBusy;
  // Makes `profile` the current software profile as the profile button does:
  // stores it in the mouse's record and saves the library, sends its masks
  // and values (unless an arrival runs, which sends them at its end) and
  // tells the window. Nothing happens when it is the current profile already.
  // The profile, or -1 with no mouse or no such profile.
  int SelectSoftwareProfile(int profile);
  // The profile button: the next software profile, in the same way.
  int NextSoftwareProfile();
  // A library macro dropped on a button's picture, or taken off it: the row
  // value is stored, the library saved and the masks sent.
  int SetRowValue(int button, std::uint32_t macroId);
  int ClearRowValue(int button);

  // The window goes: stops the players and waits for every thread; when this
  // program owns the tilt mutex, hands the mice back to themselves.
  void Shutdown();

  HidLink& Link() { return link_; }
  ConnectionEvents& Events() { return events_; }
  SoftwareProfiles& Profiles() { return profiles_; }
  MacroPlayers& Players() { return players_; }

 private:
  void StopPlayersOfListedMice();
  int ProfileSelected(int profile);

  HidLink& link_;
  ConnectionEvents& events_;
  SoftwareProfiles& profiles_;
  MacroPlayers& players_;
  std::mutex arrivalThreadLock_;
  std::thread arrivalThread_;
  bool shutDown_ = false;
};

}  // namespace device
