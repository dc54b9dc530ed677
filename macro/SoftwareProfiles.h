#pragma once
// The per-mouse settings of the attached mouse: its DeviceProfileRecord in the
// library, found or created when the mouse arrives, the software profile that
// the profile button selects, and the profile's row of button macros, from
// which the button masks are built. Every access runs under one lock, since
// arrival works on its own thread while the window reads the rows.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

#include "macro/MacroCommand.h"
#include "macro/MacroLibrary.h"

// Software profiles of every mouse.
inline constexpr int kSoftwareProfileCount = 7;
// Buttons that a row value can give a macro to.
inline constexpr int kRowButtons = 12;

// Which buttons the mouse leaves to the program: a cleared bit is a button
// whose presses the program plays itself.
struct ButtonMasks {
  std::uint8_t maskA = 0xFF;  // buttons 0..7 as the mouse numbers them
  std::uint8_t maskB = 0xFF;  // bit 0: wheel up, bit 1: wheel down
};

// A profile's three settings (valueA to valueC): its colour, red, green and
// blue from 0 to 8, which the mouse takes as device parameters 0, 1 and 2.
using ProfileValues = std::array<std::uint8_t, 3>;

// The masks for a row of button values.
ButtonMasks MasksForRow(const std::array<std::uint32_t, kRowValues>& row);

// A new mouse's settings. `unknownModeText` names its profiles ("Unknown mode 1" ...).
DeviceProfileRecord DefaultProfileRecord(const std::u16string& unknownModeText);

class SoftwareProfiles {
 public:
  // `library` must outlive this; `libraryFile` is where it is saved.
  SoftwareProfiles(MacroLibrary& library, std::filesystem::path libraryFile)
      : library_(library), file_(std::move(libraryFile)) {}

  // The text that default profile names start with.
  void SetUnknownModeText(std::u16string text);

  // A mouse has been set up: finds or creates its record (a new one is not
  // saved until something changes), keeps its level choice within 0..3,
  // gives it seven profiles and selects its current profile.
  void LoadForMouse(std::uint32_t identity);
  // No mouse: no profiles.
  void ForgetMouse();

  int ProfileCount() const;
  int CurrentSoftwareProfile() const;

  // Selects `profile`, stores it in the record and saves the library. The
  // profile, or -1 with no mouse or no such profile.
  int SelectProfile(int profile);
  // The profile button: selects the next profile (after the last, the
  // first). The new profile, or -1 with no mouse.
  int NextProfile();

  // Values of the current profile's row: a macro id, or 0 for a button left
  // to the mouse.
  std::uint32_t RowValue(int button) const;
  ButtonMasks Masks() const;
  // Profile `profile`'s name and settings; empty and zero with no mouse.
  std::u16string Name(int profile) const;
  ProfileValues Values(int profile) const;
  // Stores the current profile's settings and saves the library. 1 when
  // stored and saved; 0 with no mouse or when not saved.
  int SetCurrentValues(const ProfileValues& values);
  // The library macro that the current profile gives `button`; false when
  // there is none (no value, or the id of a removed macro or of a group).
  bool MacroForButton(int button, MacroCommands& commands) const;

  // A library macro dropped on a button's picture. 1 when stored and saved;
  // 0 when refused (no mouse, no such button, not a macro) or not saved.
  int SetRowValue(int button, std::uint32_t macroId);
  // The button goes back to the mouse. 1 when stored and saved.
  int ClearRowValue(int button);

  // Runs `change` on the library under the lock that the players' readers
  // take, and saves the library when it reports a change. -1 when nothing
  // changed, 1 when saved, 0 when the save failed.
  int ChangeLibrary(const std::function<bool()>& change);

  // The DPI page's choices: the level shown and each level's X and Y step,
  // kept with the mouse's record (saved with the next save of the library).
  void StoreLevelChoices(int level, const std::array<std::array<std::uint8_t, 2>, 4>& steps);

 private:
  // The library is reached through a reference, so this serves const readers too.
  DeviceProfileRecord* RecordLocked() const;
  int SelectLocked(int profile);
  int SaveLocked();

  mutable std::mutex mutex_;
  MacroLibrary& library_;
  std::filesystem::path file_;
  std::u16string unknownModeText_ = u"Unknown mode";
  bool attached_ = false;
  std::uint32_t identity_ = 0;
  int profileCount_ = 0;
  int current_ = 0;
};
