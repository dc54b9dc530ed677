#pragma once
// The one object through which all device traffic runs: it owns the list of
// attached mice, the device-number counter and the recursive DeviceLock, and
// performs the feature-report exchange every request is built from.
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "device/DeviceList.h"
#include "device/HidPort.h"
#include "device/Sleeper.h"

namespace device {

class HidLink {
 public:
  // Both must outlive the link.
  HidLink(HidPort& port, Sleeper& sleeper) : port_(port), sleeper_(sleeper) {}
  HidLink(const HidLink&) = delete;
  HidLink& operator=(const HidLink&) = delete;

  HidPort& Port() { return port_; }
  Sleeper& Clock() { return sleeper_; }
  // Held around every exchange and around every multi-step sequence.
  std::recursive_mutex& DeviceLock() { return lock_; }

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
  static constexpr int kIdleWaitReads = 21;
  static constexpr int kReplyWaitReads = 201;
  static constexpr int kPollMs = 4;
  static constexpr int kScratchSize = 200;

  HidPort& port_;
  Sleeper& sleeper_;
  std::recursive_mutex lock_;
  DeviceList list_;
};

}  // namespace device
