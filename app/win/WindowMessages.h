#pragma once
// Messages the main window posts itself from other threads. Private to this
// process, unlike the fixed values other copies post.
#include <windows.h>

inline constexpr UINT kMsgShowStep = WM_APP + 1;         // wParam: the show signal's step
inline constexpr UINT kMsgSimulatorAction = WM_APP + 2;  // wParam, lParam: a packed simulator action
inline constexpr UINT kMsgConnection = WM_APP + 3;       // wParam: the connection's event, lParam: its value
inline constexpr UINT kMsgCreateTiltMutex = WM_APP + 4;  // sent: the answer is whether it is owned
inline constexpr UINT kMsgSessionReports = WM_APP + 5;   // the mouse session has reports waiting
// Asks the window to log how many timer messages it has received (the
// wake-up figures of the bench read it): WM_APP + 10 = 32778.
inline constexpr UINT kMsgReportWakeUps = WM_APP + 10;
// WM_COPYDATA with this tag carries the full path of the program now in
// front, as the foreground hook reports it: for systems whose hook stays
// silent (Wine 8 raises no foreground event) and for test probes.
inline constexpr ULONG_PTR kCopyForegroundProgram = 0x56464750;
inline constexpr DWORD kLongestProgramPath = 32767;
