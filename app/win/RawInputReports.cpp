#include "app/win/RawInputReports.h"

#include <vector>

#include "device/MouseNotifications.h"

bool RegisterForMouseReports(HWND window) {
  RAWINPUTDEVICE vendor{0xFF03, 0x0001, RIDEV_INPUTSINK, window};
  return RegisterRawInputDevices(&vendor, 1, sizeof vendor) != FALSE;
}

void ForEachMouseReport(HRAWINPUT input, const std::function<void(const std::uint8_t*, std::size_t)>& report) {
  UINT size = 0;
  if (GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0) return;
  std::vector<BYTE> buffer(size);
  if (GetRawInputData(input, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER)) != size) return;
  const auto* raw = reinterpret_cast<const RAWINPUT*>(buffer.data());
  if (raw->header.dwType != RIM_TYPEHID || raw->data.hid.dwSizeHid != device::kNotificationLength) return;
  // The reports follow the header inside the buffer we own; never trust the
  // count beyond what the buffer holds.
  const size_t offset = static_cast<size_t>(raw->data.hid.bRawData - buffer.data());
  for (DWORD i = 0; i < raw->data.hid.dwCount; ++i) {
    const size_t at = offset + i * device::kNotificationLength;
    if (at + device::kNotificationLength > buffer.size()) break;
    report(buffer.data() + at, device::kNotificationLength);
  }
}
