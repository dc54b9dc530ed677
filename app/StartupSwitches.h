#pragma once
// The command-line switches of the program.
#include <string>

struct StartupSwitches {
  bool hide = false;     // "/hide": start hidden in the tray
  bool close = false;    // "/close": ask a running copy to end, then end
  bool showTip = false;  // "/showtip": show the tray balloon shortly after start
  bool simulate = false; // "/simulate": reach a simulated mouse instead of the HID driver
  int simulatedMice = 1; // "/simulate2": two simulated mice
};

// The whole command line, program path included, is lowered first; a switch
// counts when it is found anywhere after the first character, so that a path
// that happens to start with "/hide" is not taken for the switch.
StartupSwitches ParseStartupSwitches(const std::u16string& commandLine);
