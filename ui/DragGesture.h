#pragma once
// The one drag-and-drop gesture of the window, shared by every page: a press
// on something draggable, a drag once the pointer has moved far enough, the
// drop area under the pointer (which the caller hit-tests on every move),
// and a drop, a click or a cancel at the end. It decides which drops make
// sense, which pointer the window shows and when the library pane scrolls
// under a dragged row; the caller carries the decisions out.
#include "ui/Canvas.h"

// What the press picked up. Library rows are split by kind and editor rows by
// whether they can be discarded, so the table of valid drops needs nothing else.
enum class DragSource {
  kNone,
  kPaletteItem,    // index: the palette item
  kLibraryMacro,   // index: the library row
  kLibraryGroup,   // index: the library row
  kEditorCommand,  // index: the editor row
  kEditorMode,     // the editor's mode command, which stays
  kButtonPicture   // index: the button whose picture was pressed
};

struct DragPayload {
  DragSource source = DragSource::kNone;
  int index = -1;
};

// What lies under the pointer. The library pane reports a group's row as
// kGroupRow and any other row, or its empty part, as kLibrary. A button's
// picture takes a macro for the software profile, its function list puts the
// macro into the mouse for the mouse to play.
enum class DropTarget { kNone, kEditor, kLibrary, kGroupRow, kDiscard, kButtonPicture, kFunctionList };

struct DropSpot {
  DropTarget target = DropTarget::kNone;
  int index = -1;  // the row (-1 for none) or the button
  bool operator==(const DropSpot& other) const { return target == other.target && index == other.index; }
  bool operator!=(const DropSpot& other) const { return !(*this == other); }
};

// The pointer kinds the window can show: its own, then the cursors 107, 109,
// 108, 110 and 246.
namespace pointer {
inline constexpr int kOwn = 0;
inline constexpr int kHand = 1;
inline constexpr int kDrop = 2;
inline constexpr int kDrag = 3;
inline constexpr int kRefused = 4;
inline constexpr int kBusy = 5;
}  // namespace pointer

enum class DragOutcome {
  kNone,
  kClicked,    // released without dragging: payload and the spot released on
  kDropped,    // payload dropped on spot
  kGivenBack,  // a button picture released outside itself: the button goes back to the mouse
  kCancelled   // Escape, capture lost, page change, or released where nothing takes it
};

struct DragReport {
  bool started = false;        // the pointer went past the threshold
  bool targetChanged = false;  // repaint the old and the new drop feedback
  int pointerKind = -1;        // the kind to show now; -1 when it stays
  bool scrollChanged = false;  // start timer 214 when ScrollRows() is not 0, else stop it
  DragOutcome outcome = DragOutcome::kNone;
  DragPayload payload;  // of the outcome
  DropSpot spot;        // of the outcome
};

class DragGesture {
 public:
  // A drag starts once the pointer is more than this many pixels from the
  // press in either direction; less is a click.
  static constexpr int kThreshold = 4;
  // Each step of the library's edge scrolling moves one row more for every
  // this many pixels the pointer is beyond the edge.
  static constexpr int kEdgeRowPixels = 16;

  // Whether `payload` may be dropped on `spot`.
  static bool Accepts(const DragPayload& payload, const DropSpot& spot);
  // Rows per scroll step with the pointer at `pointerY`: 0 inside the pane
  // (`paneBottom` is the first pixel below it), negative above it.
  static int EdgeScrollRows(int pointerY, int paneTop, int paneBottom);

  // Where the library pane lies, for scrolling it under a dragged row.
  void SetLibraryPane(const RectI& pane) { libraryPane = pane; }

  // A press on something draggable; a press on nothing starts no gesture.
  void Press(int x, int y, const DragPayload& payload);
  DragReport Move(int x, int y, const DropSpot& under);
  DragReport Release(const DropSpot& under);
  DragReport Cancel();

  bool Pressed() const { return payload.source != DragSource::kNone; }
  bool Dragging() const { return dragging; }
  const DragPayload& Payload() const { return payload; }
  // The drop area under the dragged payload and whether it takes it, for the
  // drop feedback that the page paints.
  const DropSpot& Spot() const { return spot; }
  bool SpotAccepts() const { return dragging && Accepts(payload, spot); }
  // Rows per step while the library pane scrolls under a dragged row.
  int ScrollRows() const { return scrollRows; }

 private:
  void Follow(int x, int y, const DropSpot& under, DragReport& report);
  void ShowPointer(int kind, DragReport& report);
  DragReport End(DragOutcome outcome, const DropSpot& at);

  RectI libraryPane;
  DragPayload payload;
  int pressX = 0;
  int pressY = 0;
  bool dragging = false;
  DropSpot spot;
  int shownKind = pointer::kOwn;
  int scrollRows = 0;
};
