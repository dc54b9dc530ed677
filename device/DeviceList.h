#pragma once
// The attached mice, one record per device path. Records keep the order in
// which discovery accepted them, so the current mouse (the first record) is
// the first mouse found, the same on every run.
#include <optional>
#include <vector>

#include "device/MouseDevice.h"

namespace device {

class DeviceList {
 public:
  void Clear() { records_.clear(); }
  int Count() const { return static_cast<int>(records_.size()); }
  bool Empty() const { return records_.empty(); }

  // Stores the whole record under its path, replacing an older one.
  void Store(const MouseDevice& record);
  bool Remove(const DevicePath& path);
  std::optional<MouseDevice> Find(const DevicePath& path) const;
  bool Contains(const DevicePath& path) const;
  bool NumberInUse(std::uint32_t deviceNumber) const;
  const std::vector<MouseDevice>& Records() const { return records_; }

 private:
  std::vector<MouseDevice> records_;
};

}  // namespace device
