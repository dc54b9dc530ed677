#pragma once
// The HidPort of the Windows build: SetupAPI lists the HID interfaces and
// hid.dll carries feature reports and string descriptors.
#include <memory>

#include "device/HidPort.h"

namespace device {

std::unique_ptr<HidPort> MakeWin32HidPort();

}  // namespace device
