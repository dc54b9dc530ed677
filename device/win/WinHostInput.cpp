#include "device/win/WinHostInput.h"

#include <windows.h>

#include "base/DiagLog.h"

namespace device {

void WinHostInput::Wheel(int notches) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(kWheelDelta * notches);
  input.mi.dwExtraInfo = static_cast<ULONG_PTR>(kInjectedInputTag);
  if (SendInput(1, &input, sizeof input) != 1) diag::Write("WinHostInput: the wheel step was not injected");
}

}  // namespace device
