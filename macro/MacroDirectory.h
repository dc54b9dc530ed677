#pragma once
// The table of the macros in the mouse's macro area: 64 entries, the used and
// free bytes, the order in which the button lists offer them, and which
// profiles use which macro.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kMacroAreaSize = 5888;
constexpr int kMacroSlotCount = 64;
constexpr std::uint32_t kEmptySlot = 0xFFFF;
constexpr int kButtonsPerProfile = 12;

struct MacroSlot {
  std::u16string name;
  std::uint32_t start = kEmptySlot;  // first byte in the macro area; kEmptySlot when empty
  std::uint32_t end = 0;             // last byte, inclusive
  std::uint8_t profiles = 0;         // bit p: a button of profile p plays this macro
  std::uint32_t mode = 0;            // the macro's mode byte

  bool Used() const { return start != kEmptySlot; }
};

// One line of a button's assignment list.
struct ButtonChoice {
  std::u16string name;
  std::uint32_t start;
};

struct ButtonChoices {
  std::vector<ButtonChoice> items;
  int selected = -1;  // the item the button is assigned now, or -1
};

class MacroDirectory {
 public:
  MacroDirectory();

  std::array<MacroSlot, kMacroSlotCount> slots;
  // Used entries sorted by name without regard to case (ties keep directory
  // order), then the empty entries in directory order.
  std::array<int, kMacroSlotCount> order{};
  int freeBytes = kMacroAreaSize;

  // The sum of the sizes of the used entries. An entry whose end lies before
  // its start counts nothing.
  int UsedBytes() const;
  // Rebuilds `order` and `freeBytes`; the caller repaints the memory display.
  void RefreshDirectory();
  void MarkProfileUse(int profile, std::uint32_t start);
  // `profileButtons` are the 12 assignments of that profile, as they stand
  // before `button` changes away from `start`.
  void ReleaseProfileUse(int profile, int button, std::uint32_t start,
                         const std::array<std::uint32_t, kButtonsPerProfile>& profileButtons);
  // What the list of button `button` (0..11) offers; buttons 8 and 9 are not
  // offered firekey macros. `assigned` is the button's current assignment.
  ButtonChoices MacrosForButton(int button, std::uint32_t assigned) const;
};
