#pragma once
// Turns the main window's messages into the controller's events: the
// pointer, timers, commands and notifications of the controls, and the
// program's private messages.
#include <windows.h>

#include <optional>
#include <string>

#include "app/WindowEvent.h"

class MessageDecoder {
 public:
  // The event that `message` to `window` carries, or none.
  std::optional<WindowEvent> Decode(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool trackingPointer = false;
};

// The text of `window`, a control.
std::u16string WindowText(HWND window);

// Of the window's controls, the edit boxes carry their text with their keys.
bool IsEditBox(int id);
