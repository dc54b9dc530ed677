#pragma once
// One operation on one listed mouse: the path is looked up in DeviceList,
// opened overlapped for the length of the operation and closed on every way
// out. Sequences hold DeviceLock throughout, so another thread's requests can
// never fall between their steps.
#include <cstdint>
#include <mutex>

#include "device/FeatureReport.h"
#include "device/HidLink.h"

namespace device {

class PathSession {
 public:
  enum class Locking { kWholeSequence, kPerExchange };

  PathSession(HidLink& link, const DevicePath& path, Locking locking = Locking::kWholeSequence);
  ~PathSession();
  PathSession(const PathSession&) = delete;
  PathSession& operator=(const PathSession&) = delete;

  // False when the path is not listed or cannot be opened; nothing may be sent then.
  bool Ok() const { return handle_ != kNoHandle; }
  HidHandle Handle() const { return handle_; }

  // One exchange with the request buffer receiving the reply.
  int Exchange(FeatureReport& report, int settleMs);
  // A string-descriptor read; the text goes to `buffer`.
  bool ReadString(int index, std::uint8_t* buffer, std::size_t size);
  // A side command: a string read whose text is not used.
  bool SideCommand(int index);
  void Pause(int ms) { link_.Clock().SleepMs(ms); }

 private:
  HidLink& link_;
  std::unique_lock<LinkLock> hold_;
  HidHandle handle_ = kNoHandle;
};

}  // namespace device
