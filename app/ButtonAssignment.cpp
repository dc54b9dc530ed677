#include "app/ButtonAssignment.h"

ButtonAssignment::ButtonAssignment() {
  // "No macro" from the start: an id of 0 would name a macro at address 0.
  ids.fill(kEmptySlot);
}

void ButtonAssignment::Record(int profile, int button, std::uint8_t kind, std::uint16_t code) {
  if (profile < 0 || profile >= kMouseProfiles || button < 0 || button >= kButtonsPerProfile) return;
  kinds[Index(profile, button)] = kind;
  ids[Index(profile, button)] = code;
  recorded.set(Index(profile, button));
}

std::array<std::uint32_t, kButtonsPerProfile> ButtonAssignment::ProfileIds(int profile) const {
  std::array<std::uint32_t, kButtonsPerProfile> profileIds{};
  for (int b = 0; b < kButtonsPerProfile; ++b) profileIds[static_cast<std::size_t>(b)] = MacroId(profile, b);
  return profileIds;
}

void ButtonAssignment::TakeMouseMacros(const std::vector<MouseMacro>& macros) {
  directory = MacroDirectory();
  for (const MouseMacro& macro : macros) {
    if (macro.entry < 0 || macro.entry >= kMacroSlotCount) continue;
    MacroSlot& slot = directory.slots[static_cast<std::size_t>(macro.entry)];
    slot.name = macro.name;
    slot.start = macro.start;
    slot.end = macro.end;
    slot.mode = macro.mode;
  }
  for (int profile = 0; profile < kMouseProfiles; ++profile) {
    for (int b = 0; b < kButtonsPerProfile; ++b) {
      if (Kind(profile, b) == kKindMacro) directory.MarkProfileUse(profile, MacroId(profile, b));
    }
  }
  directory.RefreshDirectory();
}

std::array<FunctionList, kButtonsPerProfile> ButtonAssignment::Lists(
    const std::array<std::u16string, kButtonsPerProfile>& ownNames, bool mouseAttached) const {
  std::array<FunctionList, kButtonsPerProfile> lists;
  for (int b = 0; b < kButtonsPerProfile; ++b) {
    FunctionList& list = lists[static_cast<std::size_t>(b)];
    list.enabled = mouseAttached;
    list.items.push_back({ownNames[static_cast<std::size_t>(b)], kEmptySlot});
    const ButtonChoices macros = directory.MacrosForButton(b, MacroId(buttonProfile, b));
    list.items.insert(list.items.end(), macros.items.begin(), macros.items.end());
    list.selected = macros.selected < 0 ? 0 : macros.selected + 1;
  }
  return lists;
}

ButtonFunctionChoice ButtonAssignment::Choose(int button, std::uint32_t value) {
  ButtonFunctionChoice choice{buttonProfile, kKindOwnFunction, 0xFFFF};
  if (button < 0 || button >= kButtonsPerProfile) return choice;
  const std::uint32_t old = MacroId(buttonProfile, button);
  if (old != kEmptySlot) directory.ReleaseProfileUse(buttonProfile, button, old, ProfileIds(buttonProfile));
  if (value != kEmptySlot) {
    choice.kind = kKindMacro;
    choice.code = static_cast<std::uint16_t>(value);
  }
  Record(buttonProfile, button, choice.kind, choice.code);
  if (value != kEmptySlot) directory.MarkProfileUse(buttonProfile, value);
  return choice;
}

// With a button whose function this run never sent, a macro that moves or
// goes could leave it playing whatever comes to lie at the old address: the
// operation then gives every button its own function back first.
device::MacroButtons ButtonAssignment::Buttons() const {
  device::MacroButtons buttons;
  buttons.known = recorded.all();
  for (int profile = 0; profile < kMouseProfiles; ++profile) {
    for (int b = 0; b < kButtonsPerProfile; ++b) {
      buttons.At(profile, b) = {Kind(profile, b), static_cast<std::uint16_t>(MacroId(profile, b))};
    }
  }
  return buttons;
}

void ButtonAssignment::TakeButtons(const device::MacroButtons& buttons) {
  for (int profile = 0; profile < kMouseProfiles; ++profile) {
    for (int b = 0; b < kButtonsPerProfile; ++b) {
      const device::AssignedFunction& function = buttons.functions[Index(profile, b)];
      Record(profile, b, function.kind, function.code);
    }
  }
}

int ButtonAssignment::PlayedEntry(int button) const {
  if (button < 0 || button >= kButtonsPerProfile || Kind(buttonProfile, button) != kKindMacro) return -1;
  const std::uint32_t start = MacroId(buttonProfile, button);
  for (std::size_t entry = 0; entry < directory.slots.size(); ++entry) {
    if (directory.slots[entry].start == start) return static_cast<int>(entry);
  }
  return -1;
}
