#include "device/LiveInput.h"

#include "device/PathSession.h"

namespace device {
namespace {

int SendUntilAcknowledged(HidLink& link, const DevicePath& path, const FeatureReport& request) {
  PathSession session(link, path);
  if (!session.Ok()) return 0;
  Sleeper& clock = link.Clock();
  const std::int64_t start = clock.NowMicroseconds();
  for (;;) {
    FeatureReport report = request;
    const int exchanged = session.Exchange(report, 0);
    session.Pause(1);
    if (exchanged && report[3] == kLiveInputAck) return 1;
    if (clock.NowMicroseconds() - start >= kLiveInputPatienceMs * std::int64_t{1000}) return 0;
  }
}

}  // namespace

FeatureReport LiveInputRequest(std::uint8_t sub, std::uint8_t first, std::uint8_t second) {
  FeatureReport request = MakeRequest(kGroupLiveInput, sub, 0);
  request[3] = first;
  request[4] = second;
  request[8] = CheckByte(request);
  return request;
}

int KeyDown(HidLink& link, const DevicePath& path, std::uint8_t code) {
  if (code == 0) return 0;
  return SendUntilAcknowledged(link, path, LiveInputRequest(kLiveKeyDown, code, 0));
}

int KeyUp(HidLink& link, const DevicePath& path, std::uint8_t code) {
  if (code == 0) return 0;
  return SendUntilAcknowledged(link, path, LiveInputRequest(kLiveKeyUp, code, 0));
}

int SendUsage16(HidLink& link, const DevicePath& path, std::uint8_t low, std::uint8_t high) {
  return SendUntilAcknowledged(link, path, LiveInputRequest(kLiveUsage16, low, high));
}

int SetButtons(HidLink& link, const DevicePath& path, std::uint8_t press, std::uint8_t release) {
  return SendUntilAcknowledged(link, path, LiveInputRequest(kLiveButtons, press, release));
}

}  // namespace device
