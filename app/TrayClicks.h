#pragma once
// What the tray icon's clicks do. A single left click opens the menu only
// after a pause long enough for a double click to cancel it; a double click
// restores the window and never opens the menu; a right click opens the menu
// at once. The window's menu timer does the waiting; this decides.

// The tray icon's id; the shell calls back with kMsgTrayNotify.
inline constexpr int kTrayIconId = 1219;

// The mouse messages the shell passes with the callback (the system's values).
inline constexpr int kTrayLeftButtonUp = 0x202;
inline constexpr int kTrayLeftDoubleClick = 0x203;
inline constexpr int kTrayRightButtonUp = 0x205;

struct TrayAction {
  int startMenuTimerMs = 0;    // (re)start the menu timer with this delay; 0 leaves it
  bool stopMenuTimer = false;
  bool restoreWindow = false;  // show it normally, on top and in the foreground
  bool rereadLevels = false;   // before restoring: the hidden window's levels may be stale
};

class TrayClicks {
 public:
  static constexpr int kLeftClickMenuDelayMs = 500;
  static constexpr int kRightClickMenuDelayMs = 10;

  // One tray notification; notifications of other icons change nothing.
  TrayAction OnNotify(int iconId, int mouseMessage, bool windowVisible);
  // The menu timer ticked; the timer stops either way. True when the menu is
  // to open: a tick that a double click has already cancelled opens nothing.
  bool OnMenuTimer();

  bool JustDoubleClicked() const { return justDoubleClicked; }

 private:
  bool justDoubleClicked = false;  // the release after a double click is no single click
  bool menuPending = false;
};
