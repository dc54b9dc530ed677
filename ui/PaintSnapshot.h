#pragma once
// Everything the main window's painters show, copied from the window's state
// for one paint. Painters read it and keep nothing.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "ui/Canvas.h"
#include "ui/LabelSlot.h"
#include "ui/ProfilePalette.h"

struct BusyOverlay {
  int counter = 0;  // shown while above 0
  RectI rect;
  std::u16string text;
  std::u16string secondLine;
  std::optional<double> progress;  // 0 to 1, when the work reports it
};

inline constexpr int kProfileRows = 7;

// The button page's live contents: the software profiles with their names
// and colours from the library, the palette while it shows, the button whose
// badge is lit; and the names the mouse itself keeps for its first five
// profiles, which the DPI & Tools page shows apart from the software ones.
struct ButtonPageView {
  int currentProfile = -1;  // the selected software profile; -1 without a mouse
  int profileCount = 0;
  std::array<std::u16string, kProfileRows> profileNames;
  std::array<ProfileColour, kProfileRows> profileColours{};
  uint8_t paletteAlpha = 0;  // 0 while the palette is closed
  int highlightedButton = -1;
  std::array<std::u16string, 5> mouseProfileNames;  // as the mouse reports them; empty when unknown
};

// The four DPI levels as the resolution page shows them.
struct ResolutionLevels {
  std::array<std::array<int, 2>, 4> dpi{};  // X and Y resolution of each level
  int current = 0;
  bool mouseConnected = false;
};

struct PaintSnapshot {
  int page = 0;
  int hoverTab = -1;  // the tab under the pointer, -1 for none
  uint8_t functionBarAlpha = 0x40;

  // Label slots 0 to 49 of the text table, and the one text the window adds
  // after them on every page: the version label.
  std::array<LabelSlot, kTextItemCount> textItems;
  std::optional<LabelSlot> extraText;

  // The device's macro memory and the edited macro, for items 40, 41, 44.
  int macroAreaBytes = 0;
  int freeBytes = 0;
  int editedMacroBytes = 0;

  ButtonPageView buttonPage;
  ResolutionLevels resolution;

  BusyOverlay busy;
  bool reorganising = false;  // the device memory is being defragmented
  // The macro page's list refresh runs inside the paint (see PaintOrder).
  bool listRefreshDue = false;
};
