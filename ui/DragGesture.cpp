#include "ui/DragGesture.h"

#include <cstdlib>

bool DragGesture::Accepts(const DragPayload& payload, const DropSpot& spot) {
  switch (payload.source) {
    case DragSource::kPaletteItem:
      return spot.target == DropTarget::kEditor;
    case DragSource::kLibraryMacro:
      return spot.target == DropTarget::kEditor || spot.target == DropTarget::kGroupRow ||
             spot.target == DropTarget::kDiscard || spot.target == DropTarget::kButtonPicture ||
             spot.target == DropTarget::kFunctionList;
    case DragSource::kLibraryGroup:
      return spot.target == DropTarget::kDiscard;
    case DragSource::kEditorCommand:
      return spot.target == DropTarget::kLibrary || spot.target == DropTarget::kGroupRow ||
             spot.target == DropTarget::kDiscard;
    case DragSource::kEditorMode:
      return spot.target == DropTarget::kLibrary || spot.target == DropTarget::kGroupRow;
    case DragSource::kButtonPicture:
      // Anywhere but on its own picture gives the button back.
      return spot != DropSpot{DropTarget::kButtonPicture, payload.index};
    case DragSource::kNone:
      break;
  }
  return false;
}

int DragGesture::EdgeScrollRows(int pointerY, int paneTop, int paneBottom) {
  if (pointerY < paneTop) return -((paneTop - pointerY) / kEdgeRowPixels + 1);
  if (pointerY >= paneBottom) return (pointerY - paneBottom + 1) / kEdgeRowPixels + 1;
  return 0;
}

void DragGesture::Press(int x, int y, const DragPayload& pressed) {
  payload = pressed;
  pressX = x;
  pressY = y;
  dragging = false;
  spot = {};
}

void DragGesture::ShowPointer(int kind, DragReport& report) {
  if (kind == shownKind) return;
  shownKind = kind;
  report.pointerKind = kind;
}

void DragGesture::Follow(int x, int y, const DropSpot& under, DragReport& report) {
  if (under != spot) {
    spot = under;
    report.targetChanged = true;
  }
  if (spot.target == DropTarget::kNone && payload.source != DragSource::kButtonPicture) {
    ShowPointer(pointer::kDrag, report);
  } else {
    ShowPointer(Accepts(payload, spot) ? pointer::kDrop : pointer::kRefused, report);
  }

  // Only a dragged row scrolls the library, and only while the pointer is
  // above or below the pane, not beside it.
  const bool draggingRow = payload.source == DragSource::kLibraryMacro ||
                           payload.source == DragSource::kLibraryGroup ||
                           payload.source == DragSource::kEditorCommand || payload.source == DragSource::kEditorMode;
  const bool besidePane = x < libraryPane.x || x >= libraryPane.x + libraryPane.width;
  const int rows = draggingRow && !besidePane
                       ? EdgeScrollRows(y, libraryPane.y, libraryPane.y + libraryPane.height)
                       : 0;
  if (rows != scrollRows) {
    scrollRows = rows;
    report.scrollChanged = true;
  }
}

DragReport DragGesture::Move(int x, int y, const DropSpot& under) {
  DragReport report;
  if (!Pressed()) return report;
  if (!dragging) {
    if (std::abs(x - pressX) <= kThreshold && std::abs(y - pressY) <= kThreshold) return report;
    dragging = true;
    report.started = true;
  }
  Follow(x, y, under, report);
  return report;
}

DragReport DragGesture::Release(const DropSpot& under) {
  if (!Pressed()) return {};
  if (!dragging) return End(DragOutcome::kClicked, under);
  if (!Accepts(payload, under)) return End(DragOutcome::kCancelled, under);
  return End(payload.source == DragSource::kButtonPicture ? DragOutcome::kGivenBack : DragOutcome::kDropped, under);
}

DragReport DragGesture::Cancel() {
  if (!Pressed()) return {};
  return End(DragOutcome::kCancelled, spot);
}

DragReport DragGesture::End(DragOutcome outcome, const DropSpot& at) {
  DragReport report;
  report.outcome = outcome;
  report.payload = payload;
  report.spot = at;
  // Only the feedback painted so far needs clearing.
  report.targetChanged = spot.target != DropTarget::kNone;
  report.scrollChanged = scrollRows != 0;
  ShowPointer(pointer::kOwn, report);
  payload = {};
  dragging = false;
  spot = {};
  scrollRows = 0;
  return report;
}
