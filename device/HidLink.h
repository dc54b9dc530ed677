#pragma once
// The one object through which all device traffic runs: it owns the list of
// attached mice, the device-number counter and the recursive DeviceLock, and
// performs the feature-report exchange every request is built from.
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "device/DeviceList.h"
#include "device/ExchangeTimeLog.h"
#include "device/HidPort.h"
#include "device/SessionLock.h"
#include "device/Sleeper.h"

namespace device {

// DeviceLock: the process's recursive lock, taken inside the session lock
// that all programs on the desktop share (when there is one). Taking both in
// one order everywhere means a sequence that holds DeviceLock can never wait
// for the session while the session's holder waits for DeviceLock.
class LinkLock {
 public:
  void lock();
  void unlock();

  // Only the session lock: a long operation holds it from its first request
  // to its last, so another program's requests cannot fall between them,
  // while other threads of this program still interleave their own.
  void LockSession();
  void UnlockSession();

  // Only this program's own lock, for the device records: they are no
  // traffic, so another thread's long operation holding the session must
  // not keep a reader of the records (the window's thread) waiting.
  std::recursive_mutex& ListLock() { return mutex_; }

  // Both set before any traffic. `onWait` is told when another program
  // holds the mouse and this thread starts waiting for it.
  SessionLock* session = nullptr;
  std::function<void()> onWait;

 private:
  std::recursive_mutex mutex_;
};

// Holds the session lock for its lifetime.
class SessionHold {
 public:
  explicit SessionHold(LinkLock& lock) : lock_(lock) { lock_.LockSession(); }
  ~SessionHold() { lock_.UnlockSession(); }
  SessionHold(const SessionHold&) = delete;
  SessionHold& operator=(const SessionHold&) = delete;

 private:
  LinkLock& lock_;
};

class HidLink {
 public:
  // Both must outlive the link.
  HidLink(HidPort& port, Sleeper& sleeper) : port_(port), sleeper_(sleeper) {}
  HidLink(const HidLink&) = delete;
  HidLink& operator=(const HidLink&) = delete;

  HidPort& Port() { return port_; }
  Sleeper& Clock() { return sleeper_; }
  // Held around every exchange and around every multi-step sequence.
  LinkLock& DeviceLock() { return lock_; }
  // Both must outlive the link and be set before any traffic; either may be null.
  void SetSessionLock(SessionLock* session, std::function<void()> onWait = nullptr) {
    lock_.session = session;
    lock_.onWait = std::move(onWait);
  }
  void SetExchangeLog(ExchangeTimeLog* log) { exchangeLog_ = log; }

  // Writes `request` and polls for the reply, returning 1 or 0. `request` and
  // `reply` hold `length` bytes and may be one buffer. On success byte 1 of
  // the reply has its busy and ready flags cleared.
  int ExchangeFeature(HidHandle handle, std::uint8_t* request, std::uint8_t* reply, int length,
                      int settleMs);
  // The same over a plain open of `path`, closed on every way out; a path that
  // cannot be opened returns 0 without touching the lock.
  int ExchangeFeatureByPath(const DevicePath& path, std::uint8_t* request, std::uint8_t* reply,
                            int length, int settleMs);

  // DeviceList, each call under DeviceLock.
  int DeviceCount();
  std::optional<MouseDevice> FindDevice(const DevicePath& path);
  std::uint32_t DeviceNumberOf(const DevicePath& path);
  std::optional<MouseDevice> FirstDevice();
  std::vector<MouseDevice> Devices();
  void StoreDevice(const MouseDevice& record);
  bool RemoveDevice(const DevicePath& path);
  void ClearDevices();
  // For sequences that already hold DeviceLock.
  DeviceList& ListUnderLock() { return list_; }

  // The last device number handed out; the first mouse gets 2.
  std::uint8_t deviceCounter = 1;

 private:
  // The exchange itself, with both locks held.
  int ExchangeHeld(HidHandle handle, std::uint8_t* request, std::uint8_t* reply, std::size_t size,
                   int settleMs);

  static constexpr int kIdleWaitReads = 21;
  static constexpr int kReplyWaitReads = 201;
  static constexpr int kPollMs = 4;
  static constexpr int kScratchSize = 200;

  HidPort& port_;
  Sleeper& sleeper_;
  LinkLock lock_;
  ExchangeTimeLog* exchangeLog_ = nullptr;
  DeviceList list_;
};

}  // namespace device
