#include "device/MouseNotifications.h"

#include <algorithm>
#include <mutex>

namespace device {
namespace {

constexpr std::uint8_t kWheelUp = 0x01;
constexpr std::uint8_t kWheelDown = 0xFF;

}  // namespace

FoldedButtons FoldButtons(std::uint32_t previous, std::uint8_t low, std::uint8_t high,
                          std::uint8_t wheel) {
  FoldedButtons folded;
  folded.buttons = static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 8);
  folded.changed = (folded.buttons ^ previous) & ~(kWheelUpBit | kWheelDownBit);
  if (wheel == kWheelUp) {
    folded.buttons |= kWheelUpBit;
    folded.changed |= kWheelUpBit;
  } else if (wheel == kWheelDown) {
    folded.buttons |= kWheelDownBit;
    folded.changed |= kWheelDownBit;
  }
  return folded;
}

void MouseNotifications::OnMouseNotification(const std::uint8_t* report, std::size_t length) {
  if (report == nullptr || length != kNotificationLength) return;
  if (report[1] == kNotifyLevel) {
    OnLevelChange(report);
  } else if (report[1] == kNotifyInput) {
    OnInput(report);
  }
}

void MouseNotifications::OnLevelChange(const std::uint8_t* report) {
  const DevicePath current = connection_.CurrentPath.Get();
  if (current.empty() || report[7] == 0 || connection_.Link().DeviceNumberOf(current) != report[7]) {
    return;
  }
  connection_.CurrentLevelIndex.store(std::min<int>(report[2], kLevelCount - 1));
  if (!connection_.DeviceReady.load() && !connection_.ArrivalBusy.load() &&
      connection_.Link().DeviceCount() > 0) {
    connection_.DeviceReady.store(true);
    connection_.ReadLevels();
  }
  connection_.Events().LevelChangedOnMouse(connection_.CurrentLevelIndex.load());
}

void MouseNotifications::OnInput(const std::uint8_t* report) {
  HidLink& link = connection_.Link();
  MouseDevice mouse;
  FoldedButtons folded;
  {
    std::lock_guard<std::recursive_mutex> hold(link.DeviceLock().ListLock());
    DeviceList& list = link.ListUnderLock();
    const auto& records = list.Records();
    const auto found = std::find_if(records.begin(), records.end(), [&](const MouseDevice& r) {
      return r.deviceNumber != 0 && r.deviceNumber == report[7];
    });
    if (found == records.end()) return;
    mouse = *found;
    folded = FoldButtons(mouse.buttonState, report[4], report[5], report[2]);
    // The state follows every report, also while an operation runs.
    mouse.buttonState = folded.buttons;
    list.Store(mouse);
  }

  tilt_.Add(static_cast<std::int8_t>(report[3]), static_cast<std::int8_t>(report[2]));
  if (pulseTilt_) pulseTilt_();

  if (connection_.OperationBusy.load() || (folded.changed & kIgnoredBits) != 0) return;
  if ((folded.changed & kProfileButtonBit) != 0) {
    if ((folded.buttons & kProfileButtonBit) != 0) OnProfileButton();
    return;
  }
  if (mouse.path != connection_.CurrentPath.Get()) return;
  trigger_.OnButtonChange(mouse, folded.buttons, folded.changed);
}

void MouseNotifications::OnProfileButton() {
  if (connection_.NextSoftwareProfile() >= 0 && AfterProfileButton) AfterProfileButton();
}

}  // namespace device
