#pragma once
// The "Button settings" page's twelve function lists: what each offers (the
// button's own function, then the mouse's macros by name), which entry is
// chosen, and what a choice sends. The assignment table keeps, per mouse
// profile and button, the kind and the macro's start address; the directory
// is the one read off the mouse.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "device/DeviceCommands.h"
#include "device/HidLink.h"
#include "device/MacroStore.h"
#include "device/MouseDirectory.h"
#include "macro/MacroDirectory.h"

inline constexpr int kMouseProfiles = 5;
inline constexpr std::uint8_t kKindMacro = 0x80;
inline constexpr std::uint8_t kKindOwnFunction = 0;

struct FunctionList {
  bool enabled = false;
  std::vector<ButtonChoice> items;  // the own function first, with kEmptySlot
  int selected = 0;
};

// What a list's choice asks of the mouse: the function of `button` in mouse
// profile `profile`.
struct ButtonFunctionChoice {
  int profile = 0;
  std::uint8_t kind = 0;
  std::uint16_t code = 0;
};

class ButtonAssignment : public device::ButtonFunctionTable {
 public:
  ButtonAssignment();

  // Where SetButtonFunction records a choice before it sends it.
  void Record(int profile, int button, std::uint8_t kind, std::uint16_t code) override;

  // The macros read off the mouse replace the directory; which profiles use
  // which macro follows from the table again.
  void TakeMouseMacros(const std::vector<MouseMacro>& macros);
  const MacroDirectory& Directory() const { return directory; }

  // Every list of the shown profile; `ownNames` are the buttons' own
  // functions. Lists are enabled only with a mouse attached.
  std::array<FunctionList, kButtonsPerProfile> Lists(const std::array<std::u16string, kButtonsPerProfile>& ownNames,
                                                     bool mouseAttached) const;

  // List `button` now selects the item whose value is `value`: the old macro
  // is released, the new one stored and marked; the mouse is to hear the
  // function returned.
  ButtonFunctionChoice Choose(int button, std::uint32_t value);

  // The whole table as the mouse's macro operations take it, and back from
  // them once they re-sent or gave back assignments; the directory's marks
  // follow with the next TakeMouseMacros.
  device::MacroButtons Buttons() const;
  void TakeButtons(const device::MacroButtons& buttons);
  // The directory entry of the macro that `button` of the shown profile
  // plays, or -1.
  int PlayedEntry(int button) const;

  std::uint8_t Kind(int profile, int button) const { return kinds[Index(profile, button)]; }
  std::uint32_t MacroId(int profile, int button) const { return ids[Index(profile, button)]; }
  int ButtonProfile() const { return buttonProfile; }

 private:
  static std::size_t Index(int profile, int button) {
    return static_cast<std::size_t>(profile * kButtonsPerProfile + button);
  }
  std::array<std::uint32_t, kButtonsPerProfile> ProfileIds(int profile) const;

  MacroDirectory directory;
  // No control changes it: the page always shows mouse profile 0.
  int buttonProfile = 0;
  std::array<std::uint8_t, kMouseProfiles * kButtonsPerProfile> kinds{};
  std::array<std::uint32_t, kMouseProfiles * kButtonsPerProfile> ids{};
  // The mouse cannot tell what its buttons play: only what this run sent
  // (a pick, a reset, a restore, a macro operation) is known.
  std::bitset<kMouseProfiles * kButtonsPerProfile> recorded;
};
