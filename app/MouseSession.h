#pragma once
// Everything the window does with mice, in one portable place: the device
// connection with its arrival thread, the macro players and the playback
// trigger, the mouse's notification reports, the long operations (backup,
// restore, reset, and storing, removing and packing the mouse's own macros)
// on their own thread, and one worker that runs the pages'
// requests (level writes, button functions, profile values, level reads).
// Whatever comes back waits in one queue; `reportReady` tells the window
// thread, which takes the reports and hands them to its controller.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/MouseRequest.h"
#include "app/ProfileFollower.h"
#include "app/WindowAction.h"
#include "device/Connection.h"
#include "device/DeviceOperations.h"
#include "device/HostInput.h"
#include "device/MacroStore.h"
#include "device/MacroPlayers.h"
#include "device/MouseNotifications.h"
#include "device/PlaybackTrigger.h"
#include "device/SlotTimer.h"
#include "macro/MacroLibrary.h"
#include "macro/SoftwareProfiles.h"
#include "tilt/TiltAccumulator.h"

// What the session hands back to the window's thread.
struct SessionReport {
  enum class Kind {
    kMouseRead,       // reading
    kLevelsRead,      // levels, currentLevel
    kLevelsRestored,  // levels: a reset wrote its defaults and read them back
    kListsOff,        // a reset runs: the button lists take no input
    kRepaint,
    kOperationFraction,  // fraction
    kOperationStatus,    // status
    kOperationSecondLine,  // text
    kOperationEnded,     // result
    kMacroOperationEnded,  // macroResult, buttons
  };
  Kind kind = Kind::kRepaint;
  MouseReading reading;
  DpiLevelTable levels{};
  int currentLevel = 0;
  double fraction = 0;
  device::OperationStatus status = device::OperationStatus::kWaiting;
  std::u16string text;
  device::OperationResult result;
  device::MacroOperationResult macroResult;
  // What the buttons of the mouse's profiles play after a macro operation.
  device::MacroButtons buttons;
};

// A macro put into the mouse's memory or taken out of it.
struct MacroJob {
  enum class Kind {
    kStore,               // name, bytes; then `button` of `profile` plays it
    kRemove,              // entry
    kDefragmentAndStore,  // packs the memory first, then stores
  };
  Kind kind = Kind::kStore;
  std::u16string name;
  std::vector<std::uint8_t> bytes;  // as the mouse keeps it, end mark included
  int entry = -1;
  int profile = 0;
  int button = -1;
  // What the window knows the buttons play, so that moves re-send them.
  device::MacroButtons buttons;
};

// The platform's pieces; each must outlive the session.
struct SessionPlatform {
  device::HidLink& link;
  device::ConnectionEvents& events;
  device::HostInput& hostInput;
  device::SlotTimerFactory& slotTimers;
  TiltAccumulator& tilt;
  std::function<void()> pulseTilt;
  // Any thread: a report is waiting in the queue.
  std::function<void()> reportReady;
};

class MouseSession final : private device::OperationProgress, private device::OperationHost {
 public:
  // `library` must outlive the session; `saveTo` is where it is saved.
  MouseSession(SessionPlatform platform, MacroLibrary& library, std::filesystem::path saveTo,
               std::u16string unknownModeText);
  ~MouseSession();
  MouseSession(const MouseSession&) = delete;
  MouseSession& operator=(const MouseSession&) = delete;

  // The first rescan; the connection then asks for its ticks.
  void Start();
  void OnRescanTick() { connection.OnRescanTimer(); }
  void OnDeviceChange(std::uintptr_t event) { connection.OnDeviceChange(event); }
  void OnNotification(const std::uint8_t* report, std::size_t length) {
    notifications.OnMouseNotification(report, length);
  }
  // The window gave the tilt mutex up on request.
  void ForgetTiltMutex() { connection.TiltMutexOwned = false; }

  // Runs `request` on the worker, after every request before it.
  void Submit(const MouseRequest& request);
  // The window's thread: the reports waiting, oldest first.
  std::vector<SessionReport> TakeReports();

  // Backup, restore or reset on its own thread; false while one still runs.
  bool StartOperation(DeviceOperation operation, const std::u16string& file);
  // A macro job on the operation thread, with OperationBusy already set by
  // the caller; false while an operation still runs. It ends with a
  // kMacroOperationEnded report, after a kMouseRead when the mouse changed.
  bool StartMacroOperation(MacroJob job);
  // The end of the program: waits for the running operation, the arrival
  // and every queued request, then stops the players and hands the mice
  // back. `pump` answers the window's messages meanwhile, since an arrival
  // asks the window's thread for the tilt mutex.
  void Finish(const std::function<void()>& pump);

  // The program in front changed (the system's foreground event), given by
  // its full path: the rules may switch the software profile on the worker.
  void FollowForeground(const std::u16string& programPath);
  // The rules that FollowForeground applies; none until set.
  void SetProfileRules(ProfileRules rules);
  ProfileRules CurrentProfileRules() const;

  // The steps the page now shows become the mouse's record and the profile's.
  void StoreLevels(const DpiLevelTable& levels, int current);

  const device::Connection& State() const { return connection; }
  // The device link's clock, which the simulator's request times share.
  std::int64_t NowMicroseconds() { return connection.Link().Clock().NowMicroseconds(); }
  std::atomic<bool>& OperationBusy() { return connection.OperationBusy; }
  SoftwareProfiles& Profiles() { return profiles; }
  const SoftwareProfiles& Profiles() const { return profiles; }
  device::MacroPlayers& Players() { return players; }

 private:
  void Push(SessionReport report);
  void RunRequests();
  void Run(const MouseRequest& request);
  void ReadMouse(const device::DevicePath& path);
  void RunOperation(DeviceOperation operation, std::filesystem::path file);
  void RunMacroOperation(MacroJob job);
  device::MacroOperationResult RunMacroJob(MacroJob& job, const device::DevicePath& path);
  // A reset runs: the button lists take no input until the mouse is read again.
  void ListsOff();
  // An arrival or an operation cleared its busy flags: a switch that waited
  // for them goes ahead.
  void BusyCleared();
  void SwitchProfile(int profile);

  // OperationProgress
  void ShowFraction(double fraction) override;
  void ShowStatus(device::OperationStatus status, const std::u16string& text) override;
  void ShowSecondLine(const std::u16string& text) override;
  void RepaintWindow() override;
  // OperationHost
  device::DevicePath CurrentPath() override { return connection.CurrentPath.Get(); }
  void DeviceArrival() override { connection.DeviceArrival(); }
  void StoreLevelSteps(const std::array<device::LevelSteps, 4>& levels) override;

  std::function<void()> reportReady;
  SoftwareProfiles profiles;
  device::MacroPlayers players;
  device::Connection connection;
  PlaybackTrigger trigger;
  device::MouseNotifications notifications;
  const device::OperationTexts operationTexts;

  std::mutex reportLock;
  std::vector<SessionReport> reports;

  // Guards the follower. A busy flag is read under it and cleared before
  // BusyCleared takes it, so no waiting switch is missed.
  mutable std::mutex followLock;
  ProfileFollower follower;

  std::mutex requestLock;
  std::condition_variable requestWake;
  std::deque<MouseRequest> requests;
  bool requestRunning = false;
  bool stopping = false;
  std::thread worker;

  bool finished = false;
  std::atomic<bool> operationRunning{false};
  std::thread operationThread;
  long lastFraction = -1;  // operation thread only: what was last reported
};
