#pragma once
// Every timer of the main window, in one table. A timer runs only while it
// has something to do: the controller starts one when work appears and stops
// it when the work is done, so a hidden, idle window wakes nothing.
struct WindowTimer {
  int id;
  int periodMs;
};

namespace timers {
inline constexpr WindowTimer kStartupFade{20, 2};
inline constexpr WindowTimer kRescanFirst{101, 200};  // the device connection's rescan ticks
inline constexpr WindowTimer kCountdowns{1000, 1000};
inline constexpr WindowTimer kInWindowFades{1001, 10};
inline constexpr WindowTimer kFocusRedraw{10, 250};
inline constexpr WindowTimer kTabPulse{102, 50};
inline constexpr WindowTimer kTooltips{103, 100};
inline constexpr WindowTimer kLevelSend{133, 300};     // restarted by every slider move
inline constexpr WindowTimer kLevelCommit{99, 1000};   // restarted by every slider move
inline constexpr WindowTimer kLevelResync{201, 80};    // after the mouse changed its level itself
inline constexpr WindowTimer kMouseRefresh{1003, 1};   // the mouse's settings changed
inline constexpr WindowTimer kBalloon{199, 500};
inline constexpr WindowTimer kTrayMenu{202, 0};        // the tray's click rules give the delay
inline constexpr WindowTimer kLibraryEdgeScroll{214, 100};  // a dragged row held beyond the library
}  // namespace timers
