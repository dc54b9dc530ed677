#pragma once
// The mouse's notification reports as raw input delivers them.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>

// Registers `window` for the mouse's vendor collection, also while in the
// background; false when the system refused.
bool RegisterForMouseReports(HWND window);

// Calls `report` for every whole 8-byte report that `input` carries.
void ForEachMouseReport(HRAWINPUT input, const std::function<void(const std::uint8_t*, std::size_t)>& report);
