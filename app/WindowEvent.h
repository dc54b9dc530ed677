#pragma once
// One thing that happened to the main window, decoded from the system's
// message: what the controller takes. Only the fields that a kind names
// carry meaning.
#include <cstdint>
#include <string>

struct WindowEvent {
  enum class Kind {
    kStarted,           // the window's initialisation is over
    kPointerMove,       // x, y
    kPointerLeave,
    kLeftButtonDown,    // x, y
    kLeftButtonUp,      // x, y
    kWheel,             // x, y, value = delta, 120 a notch away from the user
    kPointerCaptureLost,
    kKeyDown,           // value = virtual key, id = the control aimed at (0: the window); text = an edit box's text
    kKeyUp,             // likewise
    kCommand,           // id; on = the control is checked (the tie box)
    kEditLeft,          // id = edit box, text: the focus went elsewhere
    kDesktopKey,        // value = make code, id = virtual key, on = down, x = 1 E0, 2 E1
    kDesktopPointer,    // value = buttons pressed, id = released, packed = wheel delta; x, y = pointer
    kListChosen,        // id, value = the chosen entry's value
    kTimer,             // id
    kVisibility,        // on = shown and not minimised
    kControlFocus,      // a skinned list or combo gained or lost the focus
    kSliderMoved,       // on = the X slider moved; x, y = both positions
    kMoving,            // the window is being dragged
    kShowRequest,       // message 11880 from another copy
    kShowSignal,        // value = step: 0 the signal came, 1 show, 2 foreground, 3 top
    kEndRequest,        // message 11889
    kReleaseTiltMutex,  // message 11890
    kRenameRequest,     // message 11885
    kForegroundChanged,  // text = the full path of the program now in front
    kTrayNotify,        // id = icon, value = mouse message
    kQuestionAnswered,  // id = the question, on = yes
    kFileChosen,        // id = the dialog, text = the file, empty when cancelled
    kSessionReports,    // the mouse session has reports waiting
    kRescanWanted,      // value = delay in ms, 0 for none
    kArrivalEnded,      // on = a mouse was found
    kMouseLost,
    kLevelChangedOnMouse,  // value = level
    kSettingsChanged,
    kSimulatorAction,   // id = packed kind, packed = packed value
  };

  explicit WindowEvent(Kind eventKind) : kind(eventKind) {}

  Kind kind;
  int id = 0;
  int value = 0;
  int x = 0;
  int y = 0;
  bool on = false;
  std::int64_t packed = 0;
  std::u16string text;
};
