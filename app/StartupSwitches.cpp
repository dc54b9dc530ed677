#include "app/StartupSwitches.h"

#include "base/Utf16.h"

namespace {

// Searched from the second character on: the same text at the start (a
// path) must not hide the switch that follows it.
bool HasSwitch(const std::u16string& lowered, const std::u16string& name) {
  return lowered.size() > 1 && lowered.find(name, 1) != std::u16string::npos;
}

}  // namespace

StartupSwitches ParseStartupSwitches(const std::u16string& commandLine) {
  const std::u16string lowered = text::ToLower(commandLine);
  StartupSwitches switches;
  switches.hide = HasSwitch(lowered, u"/hide");
  switches.close = HasSwitch(lowered, u"/close");
  switches.showTip = HasSwitch(lowered, u"/showtip");
  switches.simulate = HasSwitch(lowered, u"/simulate");
  if (HasSwitch(lowered, u"/simulate2")) switches.simulatedMice = 2;
  return switches;
}
