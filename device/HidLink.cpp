#include "device/HidLink.h"

#include <array>

#include "device/FeatureReport.h"

namespace device {

namespace {
// How long one wait for the session lasts before the waiter is told and
// waits again; the mouse itself is never given up on.
constexpr int kSessionWaitMs = 200;
}  // namespace

void LinkLock::LockSession() {
  if (session && !session->Acquire(0)) {
    if (onWait) onWait();
    while (!session->Acquire(kSessionWaitMs)) {
    }
  }
}

void LinkLock::UnlockSession() {
  if (session) session->Release();
}

void LinkLock::lock() {
  LockSession();
  mutex_.lock();
}

void LinkLock::unlock() {
  mutex_.unlock();
  UnlockSession();
}

int HidLink::ExchangeFeature(HidHandle handle, std::uint8_t* request, std::uint8_t* reply,
                             int length, int settleMs) {
  // The status byte must fit, and the idle wait reads into its own buffer.
  if (handle == kNoHandle || request == nullptr || reply == nullptr || length < 2 ||
      length > kScratchSize) {
    return 0;
  }
  const auto size = static_cast<std::size_t>(length);
  std::lock_guard<LinkLock> hold(lock_);
  const std::int64_t beganUs = exchangeLog_ ? ExchangeTimeLog::NowUs() : 0;
  const int result = ExchangeHeld(handle, request, reply, size, settleMs);
  if (exchangeLog_) exchangeLog_->Record(beganUs, ExchangeTimeLog::NowUs());
  return result;
}

int HidLink::ExchangeHeld(HidHandle handle, std::uint8_t* request, std::uint8_t* reply,
                          std::size_t size, int settleMs) {
  std::array<std::uint8_t, kScratchSize> scratch{};
  for (int failures = 0;;) {
    scratch[0] = 0;
    if (port_.GetFeature(handle, scratch.data(), size) && (scratch[1] & kStatusBusy) == 0) break;
    if (++failures >= kIdleWaitReads) return 0;
    sleeper_.SleepMs(kPollMs);
  }

  if (settleMs > 4) sleeper_.SleepMs(1);
  request[0] = 0;
  // A write the device did not take shows as a missing ready flag below.
  port_.SetFeature(handle, request, size);
  if (settleMs > 0) sleeper_.SleepMs(settleMs);

  for (int failures = 0;;) {
    reply[0] = 0;
    if (port_.GetFeature(handle, reply, size) && (reply[1] & kStatusReady) == kStatusReady) {
      break;
    }
    if (++failures >= kReplyWaitReads) return 0;
    sleeper_.SleepMs(kPollMs);
  }
  reply[1] = static_cast<std::uint8_t>(reply[1] & 0x3F);
  if (settleMs > 4) sleeper_.SleepMs(1);
  return 1;
}

int HidLink::ExchangeFeatureByPath(const DevicePath& path, std::uint8_t* request,
                                   std::uint8_t* reply, int length, int settleMs) {
  const HidHandle handle = port_.Open(path, PlainOpen());
  if (handle == kNoHandle) return 0;
  const int result = ExchangeFeature(handle, request, reply, length, settleMs);
  port_.Close(handle);
  return result;
}

int HidLink::DeviceCount() {
  std::lock_guard<std::recursive_mutex> hold(lock_.ListLock());
  return list_.Count();
}

std::optional<MouseDevice> HidLink::FindDevice(const DevicePath& path) {
  std::lock_guard<std::recursive_mutex> hold(lock_.ListLock());
  return list_.Find(path);
}

std::uint32_t HidLink::DeviceNumberOf(const DevicePath& path) {
  std::lock_guard<std::recursive_mutex> hold(lock_.ListLock());
  const auto record = list_.Find(path);
  return record ? record->deviceNumber : 0;
}

std::optional<MouseDevice> HidLink::FirstDevice() {
  std::lock_guard<std::recursive_mutex> hold(lock_.ListLock());
  if (list_.Empty()) return std::nullopt;
  return list_.Records().front();
}

std::vector<MouseDevice> HidLink::Devices() {
  std::lock_guard<std::recursive_mutex> hold(lock_.ListLock());
  return list_.Records();
}

void HidLink::StoreDevice(const MouseDevice& record) {
  std::lock_guard<std::recursive_mutex> hold(lock_.ListLock());
  list_.Store(record);
}

bool HidLink::RemoveDevice(const DevicePath& path) {
  std::lock_guard<std::recursive_mutex> hold(lock_.ListLock());
  return list_.Remove(path);
}

void HidLink::ClearDevices() {
  std::lock_guard<std::recursive_mutex> hold(lock_.ListLock());
  list_.Clear();
}

}  // namespace device
