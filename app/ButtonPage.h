#pragma once
// The "Button settings" page: the twelve function lists, the mouse's macro
// directory and profile names that each arrival reads for them, the
// software profiles with their colours, and the colour palette.
#include <array>
#include <string>

#include "app/ButtonAssignment.h"
#include "app/MouseRequest.h"
#include "app/UiText.h"
#include "app/WindowAction.h"
#include "macro/SoftwareProfiles.h"
#include "ui/PaintSnapshot.h"

class ButtonPage {
 public:
  // How long the palette stays up after the pointer rested on it or a click.
  static constexpr int kPaletteSeconds = 4;

  // What the arrival read off the mouse: the lists are filled again.
  void OnMouseRead(const MouseReading& reading, const UiText& texts, WindowActions& out);
  // A macro operation on the mouse ended: its buttons play `buttons` now.
  void OnButtonsChanged(const device::MacroButtons& buttons, const UiText& texts, WindowActions& out);
  // The mouse's macro that list `controlId` shows, -1 when it shows the
  // button's own function or is no function list; `name` is the macro's.
  int StoredMacroOfList(int controlId, std::u16string& name) const;
  const ButtonAssignment& Assignment() const { return assignment; }

  // A reset runs: the lists take no input until the mouse is read again.
  void OnListsOff(WindowActions& out) const;
  // The mouse's settings were read again: the lists take input once there
  // is a mouse with its profiles.
  void OnSettingsRefreshed(int profileCount, WindowActions& out) const;

  // List `controlId` now selects the entry whose value is `value`; false
  // when the control is no function list.
  bool OnListChosen(int controlId, std::uint32_t value, WindowActions& out);
  // A click on the page; true when the palette or the profile colour took
  // it. `holdPanel` keeps the palette open for that many seconds.
  bool OnClick(int x, int y, int paletteAlpha, SoftwareProfiles& profiles, WindowActions& out, int& holdPanel);

  void Fill(PaintSnapshot& snapshot, const SoftwareProfiles& profiles, int paletteAlpha) const;
  int FreeBytes() const { return assignment.Directory().freeBytes; }

 private:
  void FillLists(const UiText& texts, WindowActions& out);

  ButtonAssignment assignment;
  std::vector<MouseMacro> macros;  // as the mouse was last read
  bool attached = false;
  std::array<std::u16string, 5> mouseNames;
};
