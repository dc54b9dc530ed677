#pragma once
// Everything the main window's painters show, copied from the window's state
// for one paint. Painters read it and keep nothing.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
  bool dropTargetsLit = false;  // a library macro is dragged: every badge lights
  int dropButton = -1;          // the button under a dragged macro, -1 for none
  std::array<std::u16string, 5> mouseProfileNames;  // as the mouse reports them; empty when unknown
};

// The four DPI levels as the resolution page shows them.
struct ResolutionLevels {
  std::array<std::array<int, 2>, 4> dpi{};  // X and Y resolution of each level
  int current = 0;
  bool mouseConnected = false;
};

// One row of the "Macro Library" pane as it shows.
struct LibraryRowView {
  std::u16string name;
  bool group = false;
  bool expanded = false;     // a group listing its children below it
  bool inGroup = false;      // a macro listed under its group
  int childCount = 0;        // a group's
  bool lastOfGroup = false;  // a group boundary follows this row
};

// One command of the "Macro Editor" pane as it shows.
struct StepRowView {
  std::u16string address;  // "%04d"
  int icon = -1;           // StepIconKind, -1 for none
  std::u16string text;
};

// The macro panes, the toolbox and the guide, shared by the button page
// (library only) and the macro page. Only the rows in view are carried, so a
// paint costs the same however long the library or the macro is.
struct MacroPageView {
  std::vector<LibraryRowView> libraryRows;  // the rows in view, top first
  int libraryFirstRow = 0;                  // the library row of libraryRows[0]
  int librarySelected = -1;                 // index into libraryRows, -1 when out of view
  int libraryDropRow = -1;                  // a row lit as a drop target, index into libraryRows
  std::vector<StepRowView> stepRows;        // the editor's rows in view
  int stepFirstRow = 0;
  int stepSelected = -1;                    // index into stepRows
  int insertionRow = -1;                    // a drag shows its insertion mark under this row
  int activePane = 0;                       // 0 library, 1 editor
  bool editorFocused = false;
  bool recordIntervals = true;              // the "Record the duration or invervals" box
  bool recording = false;
  std::uint8_t recordDotAlpha = 0;          // the pulsing dot on the Record button
  std::u16string capturePrompt;             // shown while a capture waits
  std::optional<double> storeProgress;      // storing the editor's macro into the library
  int litTool = -1;                         // toolbox item lit as a drop target (0: discard)
  int guideStep = 0;                        // 0 none, 1..7
  std::uint8_t guideAlpha = 0;
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
  MacroPageView macroPage;
  ResolutionLevels resolution;

  BusyOverlay busy;
  bool reorganising = false;  // the device memory is being defragmented
  // The macro page's list refresh runs inside the paint (see PaintOrder).
  bool listRefreshDue = false;
};
