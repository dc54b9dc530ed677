#pragma once
// Window messages of our own. Their values are fixed: other copies of the
// program post them to each other. The skinned controls' own messages, 11881
// and 11882, are in ui/ControlMessages.h.
#include "ui/ControlMessages.h"

inline constexpr int kMsgShowWindow = 11880;        // show yourself and come to the front
inline constexpr int kMsgOpenRenameEditor = 11885;  // open the library rename editor
inline constexpr int kMsgEndProgram = 11889;        // end the program
inline constexpr int kMsgReleaseTiltMutex = 11890;  // release the tilt mutex
inline constexpr int kMsgTrayNotify = 1124;         // tray icon notification
