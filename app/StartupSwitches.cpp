#include "app/StartupSwitches.h"

#include "base/Utf16.h"

namespace {

bool HasSwitch(const std::u16string& lowered, const std::u16string& name) {
  const size_t at = lowered.find(name);
  return at != std::u16string::npos && at > 0;
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
