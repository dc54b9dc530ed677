#pragma once
// Process-wide start-up state, shared by the application object, the main
// window and the threads that carry the other copies' signals.
#include <atomic>
#include <string>

struct AppState {
  bool hideAtStart = false;         // consumed by the main window's start-up fade
  bool showTipAtStart = false;      // the tray shows its balloon soon after start
  bool closeRequested = false;      // "/close": ask a running copy to end
  std::atomic<int> exitAllowed{0};  // the cancel handler ends the window only when set
  std::u16string programDir;        // with a trailing backslash
  std::u16string languageFile;      // the INI file's name, from the registry
};

extern AppState App;

// A running copy answers this many "show" signals through the show event;
// the broadcast message keeps working after that.
inline constexpr int kShowSignalsAnswered = 10;
