#include "device/PathSession.h"

#include <array>

namespace device {

namespace {
// Side commands read into a buffer of this size.
constexpr std::size_t kSideCommandBuffer = 128;
}  // namespace

PathSession::PathSession(HidLink& link, const DevicePath& path, Locking locking)
    : link_(link), hold_(link.DeviceLock(), std::defer_lock) {
  if (!link.FindDevice(path)) return;
  handle_ = link.Port().Open(path, OverlappedOpen());
  if (handle_ != kNoHandle && locking == Locking::kWholeSequence) hold_.lock();
}

PathSession::~PathSession() {
  if (hold_.owns_lock()) hold_.unlock();
  if (handle_ != kNoHandle) link_.Port().Close(handle_);
}

int PathSession::Exchange(FeatureReport& report, int settleMs) {
  if (!Ok()) return 0;
  return link_.ExchangeFeature(handle_, report.data(), report.data(), kFeatureLength, settleMs);
}

bool PathSession::ReadString(int index, std::uint8_t* buffer, std::size_t size) {
  if (!Ok()) return false;
  std::lock_guard<LinkLock> hold(link_.DeviceLock());
  return link_.Port().GetIndexedString(handle_, index, buffer, size);
}

bool PathSession::SideCommand(int index) {
  std::array<std::uint8_t, kSideCommandBuffer> text{};
  return ReadString(index, text.data(), text.size());
}

}  // namespace device
