#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/WindowAction.h"

// The program's notification-area icon and its menu, kept for the life of the
// main window. It only talks to the shell; what a click means is TrayClicks'.
class TrayIcon {
 public:
  TrayIcon() = default;
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Menu resource 228, held until the icon goes.
  void HoldMenu(HINSTANCE instance);
  // The two items' texts; the first becomes the default (bold) item.
  void SetMenuTexts(const std::u16string& openText, const std::u16string& exitText);

  // Adds the icon owned by `owner`, which receives kMsgTrayNotify.
  bool Add(HWND owner, HINSTANCE instance);
  // The shell restarted and forgot every icon: add ours again.
  bool AddAgain();
  bool ShowBalloon(const std::u16string& text);
  void Remove();

  // Opens the menu at the pointer; its commands go to the owner.
  // The menu, with the software profiles between its own items (the current one checked).
  void ShowMenu(const std::vector<ListEntry>& profiles, int current);
  // The tip shown over the icon.
  void SetTip(const std::u16string& text);

  // True for the message the shell broadcasts when the taskbar is (re)created.
  bool IsTaskbarCreated(UINT message) const { return taskbarCreated != 0 && message == taskbarCreated; }

 private:
  NOTIFYICONDATAW record{};
  HICON icon = nullptr;
  HMENU menu = nullptr;
  bool added = false;
  UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
};
