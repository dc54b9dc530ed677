#include "device/SideCommands.h"

#include <array>

#include "device/Discovery.h"
#include "device/Identification.h"

namespace device {

bool SendValue(PathSession& session, std::uint8_t value) {
  bool ok = session.SideCommand(kLowNibbleNext);
  ok = session.SideCommand(kNibbleBase + (value & 0x0F)) && ok;
  const int high = (value >> 4) & 0x0F;
  if (high != 0) {
    ok = session.SideCommand(kHighNibbleNext) && ok;
    ok = session.SideCommand(kNibbleBase + high) && ok;
  }
  return ok;
}

int SetDeviceParameter(HidLink& link, const DevicePath& path, std::uint8_t kind, int setting) {
  PathSession session(link, path);
  if (!session.Ok()) return 0;
  bool ok = SendValue(session, kind);
  ok = session.SideCommand(kIdentifyIndex) && ok;
  const int parameter = ((setting % 9) + 9) % 9;
  ok = session.SideCommand(kSetParameterBase + parameter) && ok;
  return ok ? 1 : 0;
}

int SetButtonMasks(HidLink& link, const DevicePath& path, std::uint8_t maskA, std::uint8_t maskB) {
  PathSession session(link, path);
  if (!session.Ok()) return 0;
  bool delivered = SendValue(session, maskA);
  if (session.SideCommand(kIdentifyIndex)) {
    delivered = session.SideCommand(kSetMaskA) && delivered;
    session.Pause(2);
  } else {
    delivered = false;
  }
  delivered = SendValue(session, maskB) && delivered;
  if (session.SideCommand(kIdentifyIndex)) {
    delivered = session.SideCommand(kSetMaskB) && delivered;
  } else {
    delivered = false;
  }
  return delivered ? 1 : 0;
}

int ReleaseAll(HidLink& link) {
  int released = 0;
  for (const auto& record : link.Devices()) {
    PathSession session(link, record.path);
    if (!session.Ok()) continue;
    if (!session.SideCommand(kIdentifyIndex)) continue;
    session.Pause(2);
    if (session.SideCommand(kReleaseIndex)) ++released;
    session.Pause(2);
  }
  return released;
}

}  // namespace device
