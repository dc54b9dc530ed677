// Feeds arbitrary notification reports to the notification handler of a
// session with two simulated mice: 8 bytes a report, a shorter last one as
// raw input might deliver it. The first byte sets whether an operation runs
// and whether the mouse counts as set up. Every input report of a listed
// mouse, and only those, moves the tilt and wheel sums; the trigger never
// hears of a change of the ignored bits or of the profile button, nor of a
// mouse other than the current one; the level stays within the table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <unistd.h>

#include "device/Connection.h"
#include "device/MacroPlayers.h"
#include "device/MouseNotifications.h"
#include "macro/MacroLibrary.h"
#include "macro/SoftwareProfiles.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"
#include "tests/support/QuietPlatform.h"

namespace {

class CheckedTrigger final : public device::ButtonChangeHandler {
 public:
  explicit CheckedTrigger(device::Connection& connection) : connection_(connection) {}
  void OnButtonChange(const device::MouseDevice& mouse, std::uint32_t buttons, std::uint32_t changed) override {
    if ((changed & (device::kIgnoredBits | device::kProfileButtonBit)) != 0) std::abort();
    if (mouse.path != connection_.CurrentPath.Get() || mouse.buttonState != buttons) std::abort();
  }

 private:
  device::Connection& connection_;
};

// The session lives for the whole process; the library is never saved, as
// its folder does not exist.
struct Session {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  device::HidLink link{port, clock};
  QuietPlatform quiet;
  device::MacroPlayers players{link, quiet.host, quiet.slotTimers};
  MacroLibrary library;
  SoftwareProfiles profiles{library, std::filesystem::temp_directory_path() /
                                         ("vantor-fuzz-absent-" + std::to_string(getpid())) / "macro.dat"};
  device::Connection connection{link, quiet.events, profiles, players};
  CheckedTrigger trigger{connection};

  Session() {
    for (std::uint32_t i = 0; i < 2; ++i) {
      sim::MouseConfig config;
      config.identity = 0x5A3C0001u + i;
      port.AddMouse(config);
    }
    connection.DeviceArrival();
  }
};

Session& TheSession() {
  static Session* session = new Session();
  return *session;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Session& session = TheSession();
  device::Connection& connection = session.connection;
  std::uint8_t listed[256] = {};
  {
    std::lock_guard<std::recursive_mutex> hold(session.link.DeviceLock().ListLock());
    device::DeviceList& list = session.link.ListUnderLock();
    const std::vector<device::MouseDevice> records = list.Records();
    for (device::MouseDevice mouse : records) {
      if (mouse.deviceNumber != 0) listed[mouse.deviceNumber & 0xFF] = 1;
      mouse.buttonState = 0;
      list.Store(mouse);
    }
  }
  // The simulator keeps a log of every request, which must not grow run after run.
  session.port.ClearLog();
  session.clock.ClearSleeps();
  connection.CurrentLevelIndex = 0;
  connection.OperationBusy = (data[0] & 1) != 0;
  connection.DeviceReady = (data[0] & 2) == 0;

  TiltAccumulator tilt;
  int pulses = 0;
  device::MouseNotifications notifications(connection, tilt, [&pulses] { ++pulses; }, session.trigger);
  notifications.AfterProfileButton = [] {};
  int inputs = 0;
  std::int32_t tiltSum = 0;
  std::int32_t wheelSum = 0;
  for (std::size_t at = 1; at < size; at += device::kNotificationLength) {
    const std::size_t length = std::min(device::kNotificationLength, size - at);
    const std::uint8_t* report = data + at;
    notifications.OnMouseNotification(report, length);
    if (length == device::kNotificationLength && report[1] == device::kNotifyInput && listed[report[7]]) {
      ++inputs;
      tiltSum += static_cast<std::int8_t>(report[3]);
      wheelSum += static_cast<std::int8_t>(report[2]);
    }
    if (connection.CurrentLevelIndex.load() < 0 || connection.CurrentLevelIndex.load() >= device::kLevelCount) {
      std::abort();
    }
  }
  if (pulses != inputs || tilt.TakeTilt() != tiltSum || tilt.Wheel() != wheelSum) std::abort();
  return 0;
}
