#include "device/DeviceList.h"

#include <algorithm>

namespace device {

void DeviceList::Store(const MouseDevice& record) {
  for (auto& existing : records_) {
    if (existing.path == record.path) {
      existing = record;
      return;
    }
  }
  records_.push_back(record);
}

bool DeviceList::Remove(const DevicePath& path) {
  const auto it = std::find_if(records_.begin(), records_.end(),
                               [&](const MouseDevice& r) { return r.path == path; });
  if (it == records_.end()) return false;
  records_.erase(it);
  return true;
}

std::optional<MouseDevice> DeviceList::Find(const DevicePath& path) const {
  for (const auto& record : records_) {
    if (record.path == path) return record;
  }
  return std::nullopt;
}

bool DeviceList::Contains(const DevicePath& path) const {
  return std::any_of(records_.begin(), records_.end(),
                     [&](const MouseDevice& r) { return r.path == path; });
}

bool DeviceList::NumberInUse(std::uint32_t deviceNumber) const {
  return std::any_of(records_.begin(), records_.end(),
                     [&](const MouseDevice& r) { return r.deviceNumber == deviceNumber; });
}

}  // namespace device
