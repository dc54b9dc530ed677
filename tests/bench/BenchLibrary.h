#pragma once
// A library at the scale of a heavy user, for the figures that load, save or
// describe one.
#include <string>

#include "macro/MacroLibrary.h"

namespace bench {

inline std::u16string Name(const char16_t* prefix, int n) {
  std::u16string name = prefix;
  for (char c : std::to_string(n)) name.push_back(static_cast<char16_t>(c));
  return name;
}

inline void FillLibrary(MacroLibrary& library, int macros, int commandsEach, int devices) {
  int groups = macros / 20;
  for (int g = 0; g < groups; ++g) library.AddEntry(Name(u"Group ", g), true, 0, g % 2, {});
  MacroCommands commands = NewMacro();
  for (int c = 1; c < commandsEach; ++c) {
    MacroCommand key;
    key.length = 2;
    key.code[0] = c % 2 ? 0x83 : 0x84;
    key.code[1] = static_cast<std::uint8_t>(4 + c % 26);
    commands.push_back(c % 3 ? key : MakeWait(static_cast<std::uint32_t>(c * 7)));
  }
  Renumber(commands);
  for (int m = 0; m < macros; ++m) {
    library.AddEntry(Name(u"Macro ", (m * 7919) % macros), false, static_cast<std::uint32_t>(m % (groups + 5)), 0, commands);
  }
  for (int d = 0; d < devices; ++d) {
    DeviceProfileRecord& record = library.devices[static_cast<std::uint32_t>(0x10000 + d)];
    record.profileCount = 7;
    for (int i = 0; i < 7; ++i) record.profileName[static_cast<std::size_t>(i)] = Name(u"Unknown mode ", i + 1);
  }
}

}  // namespace bench
