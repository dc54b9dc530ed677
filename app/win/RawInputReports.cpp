#include "app/win/RawInputReports.h"

#include "device/MouseNotifications.h"

namespace {

// Larger inputs are none of the keyboard's, the mouse's or our reports.
constexpr UINT kLargestInput = 1000;

constexpr USHORT kGenericDesktop = 0x01;
constexpr USHORT kUsageMouse = 0x02;
constexpr USHORT kUsageKeyboard = 0x06;

// Raw mouse button flags, pressed and released, for buttons 1 to 5 in the
// order of the macro commands' button bits.
constexpr USHORT kDownFlags[] = {RI_MOUSE_LEFT_BUTTON_DOWN, RI_MOUSE_RIGHT_BUTTON_DOWN, RI_MOUSE_MIDDLE_BUTTON_DOWN,
                                 RI_MOUSE_BUTTON_4_DOWN, RI_MOUSE_BUTTON_5_DOWN};
constexpr USHORT kUpFlags[] = {RI_MOUSE_LEFT_BUTTON_UP, RI_MOUSE_RIGHT_BUTTON_UP, RI_MOUSE_MIDDLE_BUTTON_UP,
                               RI_MOUSE_BUTTON_4_UP, RI_MOUSE_BUTTON_5_UP};

}  // namespace

bool RegisterForMouseReports(HWND window) {
  RAWINPUTDEVICE vendor{0xFF03, 0x0001, RIDEV_INPUTSINK, window};
  return RegisterRawInputDevices(&vendor, 1, sizeof vendor) != FALSE;
}

bool ListenToDesktop(HWND window, bool recording) {
  RAWINPUTDEVICE devices[] = {
      {kGenericDesktop, kUsageKeyboard, static_cast<DWORD>(RIDEV_INPUTSINK | (recording ? RIDEV_NOHOTKEYS : 0)),
       window},
      {kGenericDesktop, kUsageMouse, RIDEV_INPUTSINK, window},
  };
  return RegisterRawInputDevices(devices, 2, sizeof devices[0]) != FALSE;
}

const RAWINPUT* ReadRawInput(HRAWINPUT input, std::vector<BYTE>& buffer) {
  UINT size = 0;
  if (GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0 ||
      size >= kLargestInput) {
    return nullptr;
  }
  buffer.assign(size, 0);
  if (GetRawInputData(input, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER)) != size) return nullptr;
  return reinterpret_cast<const RAWINPUT*>(buffer.data());
}

void ForEachMouseReport(const RAWINPUT& raw, const std::vector<BYTE>& buffer,
                        const std::function<void(const std::uint8_t*, std::size_t)>& report) {
  if (raw.header.dwType != RIM_TYPEHID || raw.data.hid.dwSizeHid != device::kNotificationLength) return;
  // The reports follow the header inside the buffer we own; never trust the
  // count beyond what the buffer holds.
  const size_t offset = static_cast<size_t>(raw.data.hid.bRawData - buffer.data());
  for (DWORD i = 0; i < raw.data.hid.dwCount; ++i) {
    const size_t at = offset + i * device::kNotificationLength;
    if (at + device::kNotificationLength > buffer.size()) break;
    report(buffer.data() + at, device::kNotificationLength);
  }
}

std::optional<WindowEvent> DesktopInputEvent(const RAWINPUT& raw, HWND window) {
  if (raw.header.dwType == RIM_TYPEKEYBOARD) {
    const RAWKEYBOARD& key = raw.data.keyboard;
    const bool down = key.Message == WM_KEYDOWN || key.Message == WM_SYSKEYDOWN;
    if (!down && key.Message != WM_KEYUP && key.Message != WM_SYSKEYUP) return std::nullopt;
    WindowEvent event{WindowEvent::Kind::kDesktopKey};
    event.value = key.MakeCode;
    event.id = key.VKey;
    event.on = down;
    event.x = ((key.Flags & RI_KEY_E0) ? 1 : 0) | ((key.Flags & RI_KEY_E1) ? 2 : 0);
    return event;
  }
  if (raw.header.dwType != RIM_TYPEMOUSE) return std::nullopt;
  const USHORT flags = raw.data.mouse.usButtonFlags;
  WindowEvent event{WindowEvent::Kind::kDesktopPointer};
  for (int b = 0; b < 5; ++b) {
    if (flags & kDownFlags[b]) event.value |= 1 << b;
    if (flags & kUpFlags[b]) event.id |= 1 << b;
  }
  if (flags & RI_MOUSE_WHEEL) event.packed = static_cast<SHORT>(raw.data.mouse.usButtonData);
  if (event.value == 0 && event.id == 0 && event.packed == 0) return std::nullopt;
  POINT at{};
  if (GetCursorPos(&at) && ScreenToClient(window, &at)) {
    event.x = at.x;
    event.y = at.y;
  }
  return event;
}
