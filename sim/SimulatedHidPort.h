#pragma once
// A HidPort that hosts simulated mice instead of the system's HID driver:
// each mouse shows a configuration interface (feature report length 9) and
// may show further interfaces of its own with other lengths; foreign devices
// can be added beside them. Everything the link asks of the port is logged,
// with every protocol error a mouse found, and tests assert on that log.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/HidPort.h"
#include "device/Sleeper.h"
#include "sim/SimulatedMouse.h"

namespace sim {

struct SimEvent {
  enum class Kind {
    kEnumerate,
    kOpen,
    kClose,
    kCapabilities,
    kAttributes,
    kGetFeature,
    kSetFeature,
    kString,
    kProduct,
    kProtocolError,
    kOwnOutput
  };
  Kind kind = Kind::kEnumerate;
  int interfaceIndex = -1;
  int mouse = -1;  // -1: not a mouse of ours
  bool ok = false;
  device::OpenMode mode;          // kOpen
  Report bytes{};                 // kGetFeature (as returned), kSetFeature (as sent)
  int stringIndex = 0;            // kString
  std::string error;              // kProtocolError
  std::string output;             // kOwnOutput: what the mouse played by itself
  std::int64_t timeUs = 0;        // on the port's clock, when given
};

// A device that is not one of our mice.
struct ForeignDevice {
  int featureLength = 0;
  std::u16string maker;  // empty: string reads fail
};

class SimulatedHidPort final : public device::HidPort {
 public:
  // `clock` (optional) timestamps the log and spends the per-transfer latency.
  explicit SimulatedHidPort(device::Sleeper* clock = nullptr) : clock_(clock) {}

  // Adds a mouse with its configuration interface; returns the mouse's index.
  int AddMouse(MouseConfig config = {});
  // Another interface of the same mouse (its keyboard or pointer collection).
  device::DevicePath AddMouseInterface(int mouse, int featureLength);
  device::DevicePath AddForeignDevice(ForeignDevice device);

  // Direct access to a mouse's firmware state, for single-threaded tests.
  SimulatedMouse& Mouse(int mouse) { return *mice_.at(static_cast<std::size_t>(mouse)); }
  int MouseCount() const { return static_cast<int>(mice_.size()); }
  device::DevicePath ConfigPath(int mouse) const;

  // The same, safe while other threads talk to the port (the simulated mode).
  // The buttons are pressed on the mouse too, which may play its own macros.
  NotificationReport InputReport(int mouse, std::uint16_t buttons, std::int8_t wheel = 0,
                                 std::int8_t tilt = 0);
  NotificationReport LevelChangeReport(int mouse, int level);
  void Unplug(int mouse);
  void Replug(int mouse);

  // The log. Requests() renders what a mouse (or, with -1, any device) was
  // asked, one line per request: "set 01 83 00 02 10 00 00 12" (bytes 1 to 8)
  // or "str 250", each protocol error after its request as "err ...", and
  // what a mouse played by itself as "own 0D 01 04 00 00 00 00 08",
  // "own wheel -1" or "own wait 50".
  std::vector<SimEvent> Log() const;
  std::vector<std::string> Requests(int mouse = -1) const;
  // The same lines, each after the time it was received ("1234567 str 250",
  // microseconds of the port's clock; 0 without one).
  std::vector<std::string> TimedRequests(int mouse = -1) const;
  void ClearLog();
  // Every protocol error of every mouse since it was added, logged or not.
  std::vector<std::string> ProtocolErrors() const;
  void SetLogging(bool on);
  int OpenHandles() const;

  // HidPort
  bool EnumerateInterfaces(std::vector<device::DevicePath>& paths) override;
  device::HidHandle Open(const device::DevicePath& path, const device::OpenMode& mode) override;
  void Close(device::HidHandle handle) override;
  bool GetCapabilities(device::HidHandle handle, device::HidCapabilities& caps) override;
  bool GetAttributes(device::HidHandle handle, device::HidAttributes& attributes) override;
  bool GetFeature(device::HidHandle handle, std::uint8_t* buffer, std::size_t length) override;
  bool SetFeature(device::HidHandle handle, const std::uint8_t* buffer,
                  std::size_t length) override;
  bool GetIndexedString(device::HidHandle handle, int index, std::uint8_t* buffer,
                        std::size_t size) override;
  bool GetProductString(device::HidHandle handle, std::u16string& product) override;

 private:
  struct Interface {
    device::DevicePath path;
    int featureLength = 0;
    int mouse = -1;
    ForeignDevice foreign;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
  };

  std::vector<std::string> RenderRequests(int mouse, bool timed) const;
  bool Present(const Interface& iface) const;
  // The interface behind an open handle, or nullptr.
  const Interface* Lookup(device::HidHandle handle, int& index) const;
  void Record(SimEvent event);
  void SpendLatency(int mouse);
  // Tells the mouse the time before it serves a transfer.
  void Tick(SimulatedMouse& mouse);
  // Logs the errors `mouse` found since it had `before` of them.
  void RecordErrors(int mouse, std::size_t before);
  // The mouse behind an open handle, or -1.
  int MouseBehind(device::HidHandle handle) const;
  static bool TakesFeature(const Interface* iface, std::size_t length);

  device::Sleeper* clock_;
  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<SimulatedMouse>> mice_;
  std::vector<Interface> interfaces_;
  std::map<device::HidHandle, int> handles_;
  device::HidHandle nextHandle_ = 1;
  bool logging_ = true;
  std::vector<SimEvent> log_;
};

}  // namespace sim
