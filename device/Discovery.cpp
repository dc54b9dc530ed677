#include "device/Discovery.h"

#include <array>
#include <mutex>

#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "device/FeatureReport.h"
#include "device/Identification.h"

namespace device {
namespace {

constexpr int kProbeSettleMs = 8;

class HandleCloser {
 public:
  HandleCloser(HidPort& port, HidHandle handle) : port_(port), handle_(handle) {}
  ~HandleCloser() { port_.Close(handle_); }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;

 private:
  HidPort& port_;
  HidHandle handle_;
};

bool Probe(HidLink& link, HidHandle handle) {
  FeatureReport report{};
  report[1] = kGroupProbe;
  report[3] = 0x1A;
  if (!link.ExchangeFeature(handle, report.data(), report.data(), kFeatureLength, kProbeSettleMs)) {
    return false;
  }
  return report[2] == 0x06 || report[2] == 0x76;
}

// Runs the tests and the handshake on one interface; true when it is a mouse
// of ours, with `record` filled.
bool Examine(HidLink& link, HidHandle handle, const DevicePath& path, MouseDevice& record) {
  HidPort& port = link.Port();
  Sleeper& clock = link.Clock();

  HidCapabilities caps;
  if (!port.GetCapabilities(handle, caps) || caps.featureReportLength != kFeatureLength) {
    return false;
  }
  HidAttributes attributes;
  port.GetAttributes(handle, attributes);  // asked for as the driver expects; not used

  std::array<std::uint8_t, kDescriptorBuffer> descriptor{};
  if (!port.GetIndexedString(handle, kIdentifyIndex, descriptor.data(), descriptor.size())) {
    return false;
  }
  Identification id;
  if (!ParseIdentification(descriptor.data(), descriptor.size(), id) || id.maker != kMakerName) {
    return false;
  }
  clock.SleepMs(1);
  if (!Probe(link, handle)) return false;

  record.infoText = id.infoText;
  record.infoByte14 = id.infoByte14;
  record.infoByte15 = id.infoByte15;
  record.sensorKind = id.sensorKind;
  record.dpiUnit = id.dpiUnit;
  record.featureLength = static_cast<std::uint32_t>(caps.featureReportLength);
  record.path = path;
  port.GetProductString(handle, record.productName);

  std::array<std::uint8_t, kDescriptorBuffer> scratch{};
  clock.SleepMs(1);
  port.GetIndexedString(handle, kPrepareIndex, scratch.data(), scratch.size());
  clock.SleepMs(1);
  std::array<std::uint8_t, kDescriptorBuffer> identity{};
  // A failed read leaves the buffer zeroed, so the identity is 0 rather than noise.
  port.GetIndexedString(handle, kIdentityIndex, identity.data(), identity.size());
  record.identity = ParseIdentity(identity.data(), identity.size());

  record.timerSlots = std::make_shared<TimerSlots>();
  const std::uint32_t number = NextDeviceNumber(link.deviceCounter, link.ListUnderLock());
  if (number == 0) {
    diag::Write("Discover: every device number is in use; mouse not kept");
    return false;
  }
  port.GetIndexedString(handle, kPrepareIndex, scratch.data(), scratch.size());
  clock.SleepMs(1);
  port.GetIndexedString(handle, kIdentifyIndex, scratch.data(), scratch.size());
  clock.SleepMs(1);
  port.GetIndexedString(handle, kAssignNumberBase + static_cast<int>(number), scratch.data(),
                        scratch.size());
  record.deviceNumber = number;
  return true;
}

}  // namespace

std::uint32_t NextDeviceNumber(std::uint8_t& counter, const DeviceList& list) {
  // Bounded: with all nineteen numbers in use there is none to give.
  for (int tries = 0; tries < kHighestDeviceNumber; ++tries) {
    counter = static_cast<std::uint8_t>((counter + 1) % (kHighestDeviceNumber + 1));
    if (counter == 0) counter = 1;
    if (!list.NumberInUse(counter)) return counter;
  }
  return 0;
}

void Discover(HidLink& link) {
  std::lock_guard<LinkLock> hold(link.DeviceLock());
  DeviceList& list = link.ListUnderLock();
  list.Clear();

  std::vector<DevicePath> paths;
  if (!link.Port().EnumerateInterfaces(paths)) {
    diag::Write("Discover: the HID interfaces could not be listed");
    return;
  }
  for (const auto& path : paths) {
    const HidHandle handle = link.Port().Open(path, OverlappedOpen());
    if (handle == kNoHandle) continue;
    HandleCloser closer(link.Port(), handle);
    MouseDevice record;
    if (!Examine(link, handle, path, record)) continue;
    list.Store(record);
    diag::Writef("Discover: mouse number %u identity %08X kind %u unit %u",
                 static_cast<unsigned>(record.deviceNumber), static_cast<unsigned>(record.identity),
                 static_cast<unsigned>(record.sensorKind), static_cast<unsigned>(record.dpiUnit));
    diag::Write("Discover: path " + text::ToUtf8(path) + " product " +
                text::ToUtf8(record.productName));
  }
  diag::Writef("Discover: %d mouse record(s)", list.Count());
}

}  // namespace device
