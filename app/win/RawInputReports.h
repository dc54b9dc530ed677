#pragma once
// Raw input of the main window: the mouse's notification reports from its
// vendor collection, and the desktop's keys and pointer, which the recorder
// takes as events.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/WindowEvent.h"

// Registers `window` for the mouse's vendor collection, also while in the
// background; false when the system refused.
bool RegisterForMouseReports(HWND window);

// Registers `window` for the desktop's keyboard and mouse, also while in the
// background; while `recording`, the keyboard comes without the system's hot
// keys. False when the system refused.
bool ListenToDesktop(HWND window, bool recording);

// Reads `input` into `buffer`; null when it could not be read whole or is
// larger than any input we take.
const RAWINPUT* ReadRawInput(HRAWINPUT input, std::vector<BYTE>& buffer);

// Calls `report` for every whole 8-byte report of the vendor collection in `raw`.
void ForEachMouseReport(const RAWINPUT& raw, const std::vector<BYTE>& buffer,
                        const std::function<void(const std::uint8_t*, std::size_t)>& report);

// A key or a pointer change of the desktop as the recorder's event; none for
// other input. The pointer's place is given in `window`'s client coordinates.
std::optional<WindowEvent> DesktopInputEvent(const RAWINPUT& raw, HWND window);
