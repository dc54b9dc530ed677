#pragma once
#include <windows.h>

#include <mutex>
#include <vector>

#include "app/ButtonAssignment.h"
#include "app/UiText.h"
#include "app/WindowSnapshot.h"
#include "device/Connection.h"
#include "ui/PaintSnapshot.h"

// The "Button settings" page on the window: the twelve function lists, the
// mouse's macro directory and profile names that arrival reads for them, and
// the profile colour with its palette.
class ButtonPage {
 public:
  // Posted when a reading of the mouse is ready for the window's thread.
  static constexpr UINT kMsgMouseRead = WM_APP + 20;
  static constexpr int kPaletteSeconds = 4;

  ButtonPage(HWND window, device::Connection& connection, const UiText& texts)
      : window(window), connection(connection), texts(texts) {}

  // Any thread, the arrival worker's included: reads the current mouse's
  // directory, mode bytes and profile names, then has the window refill the
  // lists and repaint the memory figures. Also what a restore or a reset
  // calls once it is over.
  void ReadMouse(const device::DevicePath& path);
  // The window's thread, on kMsgMouseRead.
  void OnMouseRead();

  // A list's selection changed; false when `controlId` is no function list.
  bool OnSelectionChange(int controlId);
  // A click on the page; true when the palette or the profile colour took it.
  // `holdPanel` keeps the hover panel open for that many seconds.
  bool OnClick(int x, int y, int paletteAlpha, int& holdPanel);

  void Fill(PaintSnapshot& snapshot, MemoryFigures& memory, int paletteAlpha) const;

 private:
  void FillLists();

  HWND window;
  device::Connection& connection;
  const UiText& texts;
  ButtonAssignment assignment;
  bool attached = false;
  std::array<std::u16string, 5> mouseNames;

  // Handed from the reading thread to the window's.
  std::mutex pendingLock;
  bool pendingAttached = false;
  std::vector<MouseMacro> pendingMacros;
  std::array<std::u16string, 5> pendingNames;
};
