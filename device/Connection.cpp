#include "device/Connection.h"

#include <algorithm>
#include <array>

#include "base/DiagLog.h"
#include "device/DeviceCommands.h"
#include "device/Discovery.h"
#include "device/Identification.h"
#include "device/SideCommands.h"

namespace device {
namespace {

constexpr std::size_t kPresenceBuffer = 200;
constexpr int kLevelPauseMs = 2;

}  // namespace

Connection::~Connection() {
  std::lock_guard<std::mutex> hold(arrivalThreadLock_);
  if (arrivalThread_.joinable()) arrivalThread_.join();
}

void Connection::RequestRescan() { ++PendingRescans; }

void Connection::OnRescanTimer() {
  if (shutDown_ || PendingRescans.load() <= 0) {
    events_.RescanWanted(0);
    return;
  }
  // A backup or restore must not see DeviceList emptied under it, nor its
  // busy flag cleared by the end of an arrival: the timer keeps ticking
  // until the operation is over.
  if (ArrivalBusy.load()) return;
  bool idle = false;
  if (!OperationBusy.compare_exchange_strong(idle, true)) return;
  ArrivalBusy.store(true);
  PendingRescans.store(0);
  events_.RescanWanted(0);

  std::lock_guard<std::mutex> hold(arrivalThreadLock_);
  // The previous arrival has cleared ArrivalBusy as its last act.
  if (arrivalThread_.joinable()) arrivalThread_.join();
  arrivalThread_ = std::thread([this] {
    link_.Clock().SleepMs(kArrivalDelayMs);
    DeviceArrival();
  });
}

void Connection::DeviceArrival() {
  DeviceReady.store(false);
  ArrivalBusy.store(true);
  // Discovery replaces every record, and a player of a dropped record could
  // never be stopped by a button again.
  StopPlayersOfListedMice();
  Discover(link_);

  const auto first = link_.FirstDevice();
  if (!first) {
    CurrentPath.Set({});
    CurrentDpiUnit.store(0);
    CurrentIdentity.store(kNoIdentity);
    profiles_.ForgetMouse();
  } else {
    CurrentIdentity.store(first->identity);
    CurrentPath.Set(first->path);
    CurrentDpiUnit.store(static_cast<int>(first->dpiUnit));
    const int top = device::TopDpiStep(first->sensorKind);
    TopDpiStep.store(top);

    if (!TiltMutexOwned.load()) TiltMutexOwned.store(events_.CreateTiltMutex());

    profiles_.LoadForMouse(first->identity);
    ReadLevels();
    // The mouse reports its level in the low byte; a value past the last
    // level would index past the table.
    const int current = std::min(ReadCurrentLevel(link_, first->path) & 0xFF, kLevelCount - 1);
    CurrentLevelIndex.store(current);

    DeviceReady.store(true);
    SendButtonMasks();
    SendProfileValues();
  }
  if (AfterArrival) AfterArrival(CurrentPath.Get());
  events_.ArrivalEnded(first.has_value());
  OperationBusy.store(false);
  ArrivalBusy.store(false);
  if (AfterBusy) AfterBusy();
}

void Connection::OnDeviceChange(std::uintptr_t event) {
  if (event != kDevNodesChanged) return;
  players_.JoinFinished();
  if (!ArrivalBusy.load() && link_.DeviceCount() > 0) {
    if (!IsStillPresent(CurrentPath.Get())) {
      diag::Write("Connection: the current mouse is gone");
      CurrentPath.Set({});
      CurrentDpiUnit.store(0);
      CurrentIdentity.store(kNoIdentity);
      profiles_.ForgetMouse();
      events_.MouseLost();
      events_.RescanWanted(kRescanRetryMs);
      ++PendingRescans;
      ClearDeviceTable();
    }
  }
  if (link_.DeviceCount() == 0) {
    events_.RescanWanted(kRescanRetryMs);
    PendingRescans.store(2);
  }
}

bool Connection::IsStillPresent(const DevicePath& path) {
  const auto record = link_.FindDevice(path);
  if (!record) return false;
  HidPort& port = link_.Port();
  bool present = false;
  {
    std::lock_guard<LinkLock> hold(link_.DeviceLock());
    const HidHandle handle = port.Open(path, OverlappedOpen());
    if (handle != kNoHandle) {
      std::array<std::uint8_t, kPresenceBuffer> identity{};
      present = port.GetIndexedString(handle, kIdentityIndex, identity.data(), identity.size()) &&
                ParseIdentity(identity.data(), identity.size()) == record->identity;
      port.Close(handle);
    }
  }
  if (present) return true;
  // The record goes first, so the players' releases cannot reach whatever
  // now answers at this path.
  link_.RemoveDevice(path);
  if (record->timerSlots) MacroPlayers::StopAllSlots(*record->timerSlots);
  return false;
}

void Connection::ClearDeviceTable() {
  std::vector<MouseDevice> dropped;
  {
    std::lock_guard<std::recursive_mutex> hold(link_.DeviceLock().ListLock());
    dropped = link_.ListUnderLock().Records();
    link_.ListUnderLock().Clear();
  }
  for (const MouseDevice& record : dropped) {
    if (record.timerSlots) MacroPlayers::StopAllSlots(*record.timerSlots);
  }
}

void Connection::StopPlayersOfListedMice() {
  for (const MouseDevice& record : link_.Devices()) {
    if (!record.timerSlots) continue;
    for (TimerSlot& slot : *record.timerSlots) MacroPlayers::StopSlot(slot);
  }
}

void Connection::ReadLevels() {
  const DevicePath path = CurrentPath.Get();
  LevelTable levels{};
  for (int level = 0; level < kLevelCount; ++level) {
    ReadLevel(link_, path, level, levels[static_cast<std::size_t>(level)]);
    link_.Clock().SleepMs(kLevelPauseMs);
  }
  LevelSteps.Set(levels);
}

int Connection::SendButtonMasks() {
  const DevicePath path = CurrentPath.Get();
  if (path.empty()) return 0;
  const ButtonMasks masks = profiles_.Masks();
  return SetButtonMasks(link_, path, masks.maskA, masks.maskB);
}

int Connection::SendProfileValues() {
  const DevicePath path = CurrentPath.Get();
  if (path.empty() || profiles_.ProfileCount() < 1) return 0;
  const ProfileValues values = profiles_.Values(profiles_.CurrentSoftwareProfile());
  int sent = 1;
  for (std::uint8_t kind = 0; kind < values.size(); ++kind) {
    if (SetDeviceParameter(link_, path, kind, values[kind]) != 1) sent = 0;
  }
  return sent;
}

int Connection::SelectSoftwareProfile(int profile) {
  if (profiles_.ProfileCount() > 0 && profile == profiles_.CurrentSoftwareProfile()) return profile;
  return ProfileSelected(profiles_.SelectProfile(profile));
}

int Connection::NextSoftwareProfile() { return ProfileSelected(profiles_.NextProfile()); }

int Connection::ProfileSelected(int profile) {
  if (profile < 0) return profile;
  if (!ArrivalBusy.load()) {
    SendButtonMasks();
    SendProfileValues();
  }
  events_.SettingsChanged();
  return profile;
}

int Connection::SetRowValue(int button, std::uint32_t macroId) {
  const int stored = profiles_.SetRowValue(button, macroId);
  SendButtonMasks();
  return stored;
}

int Connection::ClearRowValue(int button) {
  const int stored = profiles_.ClearRowValue(button);
  SendButtonMasks();
  return stored;
}

void Connection::Shutdown() {
  shutDown_ = true;
  {
    std::lock_guard<std::mutex> hold(arrivalThreadLock_);
    if (arrivalThread_.joinable()) arrivalThread_.join();
  }
  players_.StopAll();
  players_.JoinAll();
  if (TiltMutexOwned.load()) ReleaseAll(link_);
}

}  // namespace device
