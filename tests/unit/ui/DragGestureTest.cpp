#include <gtest/gtest.h>

#include "ui/DragGesture.h"

namespace {

const DropSpot kNothing{};
const DropSpot kEditorRow{DropTarget::kEditor, 2};
const DropSpot kLibraryRow{DropTarget::kLibrary, 1};
const DropSpot kGroup{DropTarget::kGroupRow, 0};
const DropSpot kDiscard{DropTarget::kDiscard, -1};

DragReport DragAndDrop(DragPayload payload, DropSpot spot) {
  DragGesture gesture;
  gesture.Press(100, 100, payload);
  gesture.Move(110, 100, spot);
  return gesture.Release(spot);
}

}  // namespace

TEST(DragGesture, APressReleasedWithinFourPixelsIsAClick) {
  DragGesture gesture;
  gesture.Press(100, 100, {DragSource::kLibraryMacro, 3});
  const DragReport still = gesture.Move(104, 96, kEditorRow);
  EXPECT_FALSE(still.started || still.targetChanged || still.scrollChanged);
  EXPECT_EQ(still.pointerKind, -1);
  const DragReport click = gesture.Release(kLibraryRow);
  EXPECT_EQ(click.outcome, DragOutcome::kClicked);
  EXPECT_EQ(click.payload.index, 3);
  EXPECT_EQ(click.spot, kLibraryRow);
  EXPECT_EQ(click.pointerKind, -1) << "the pointer never changed";
  EXPECT_FALSE(gesture.Pressed());

  gesture.Press(100, 100, {DragSource::kLibraryMacro, 3});
  const DragReport started = gesture.Move(100, 105, kNothing);
  EXPECT_TRUE(started.started);
  EXPECT_EQ(started.pointerKind, pointer::kDrag);
  EXPECT_TRUE(gesture.Dragging());
  EXPECT_FALSE(gesture.Move(100, 106, kNothing).started);

  DragGesture nothing;
  nothing.Press(0, 0, {});
  EXPECT_FALSE(nothing.Move(50, 50, kEditorRow).started) << "a press on nothing drags nothing";
}

TEST(DragGesture, ThePointerShowsWhetherTheSpotTakesThePayloadAndChangesAreReportedOnce) {
  DragGesture gesture;
  gesture.Press(0, 0, {DragSource::kPaletteItem, 1});
  const DragReport over = gesture.Move(10, 0, kEditorRow);
  EXPECT_TRUE(over.targetChanged);
  EXPECT_EQ(over.pointerKind, pointer::kDrop);
  EXPECT_TRUE(gesture.SpotAccepts());
  const DragReport again = gesture.Move(12, 0, kEditorRow);
  EXPECT_FALSE(again.targetChanged);
  EXPECT_EQ(again.pointerKind, -1);
  const DragReport otherRow = gesture.Move(12, 40, {DropTarget::kEditor, 3});
  EXPECT_TRUE(otherRow.targetChanged);
  EXPECT_EQ(otherRow.pointerKind, -1) << "still a drop";
  EXPECT_EQ(gesture.Move(12, 80, kLibraryRow).pointerKind, pointer::kRefused);
  EXPECT_FALSE(gesture.SpotAccepts());
  EXPECT_EQ(gesture.Move(12, 90, kDiscard).pointerKind, -1) << "still refused";

  const DragReport cancelled = gesture.Cancel();
  EXPECT_EQ(cancelled.outcome, DragOutcome::kCancelled);
  EXPECT_EQ(cancelled.pointerKind, pointer::kOwn);
  EXPECT_TRUE(cancelled.targetChanged) << "the lit spot goes dark";
  EXPECT_EQ(gesture.Cancel().outcome, DragOutcome::kNone);
  EXPECT_EQ(gesture.Release(kEditorRow).outcome, DragOutcome::kNone);
}

TEST(DragGesture, DropsFollowTheTableOfSourcesAndTargets) {
  const DropSpot button{DropTarget::kButtonPicture, 5};
  const struct {
    DragSource source;
    DropSpot spot;
    DragOutcome outcome;
  } cases[] = {
      {DragSource::kPaletteItem, kEditorRow, DragOutcome::kDropped},
      {DragSource::kPaletteItem, kDiscard, DragOutcome::kCancelled},
      {DragSource::kLibraryMacro, kEditorRow, DragOutcome::kDropped},
      {DragSource::kLibraryMacro, kGroup, DragOutcome::kDropped},
      {DragSource::kLibraryMacro, kLibraryRow, DragOutcome::kCancelled},
      {DragSource::kLibraryMacro, button, DragOutcome::kDropped},
      {DragSource::kLibraryMacro, kDiscard, DragOutcome::kDropped},
      {DragSource::kLibraryGroup, kDiscard, DragOutcome::kDropped},
      {DragSource::kLibraryGroup, kEditorRow, DragOutcome::kCancelled},
      {DragSource::kLibraryGroup, button, DragOutcome::kCancelled},
      {DragSource::kEditorCommand, kLibraryRow, DragOutcome::kDropped},
      {DragSource::kEditorCommand, {DropTarget::kLibrary, -1}, DragOutcome::kDropped},
      {DragSource::kEditorCommand, kGroup, DragOutcome::kDropped},
      {DragSource::kEditorCommand, kDiscard, DragOutcome::kDropped},
      {DragSource::kEditorMode, kLibraryRow, DragOutcome::kDropped},
      {DragSource::kEditorMode, kDiscard, DragOutcome::kCancelled},
      {DragSource::kEditorCommand, kNothing, DragOutcome::kCancelled},
  };
  for (const auto& c : cases) {
    const DragReport report = DragAndDrop({c.source, 7}, c.spot);
    EXPECT_EQ(report.outcome, c.outcome) << static_cast<int>(c.source) << " on " << static_cast<int>(c.spot.target);
    EXPECT_EQ(report.payload.index, 7);
    EXPECT_EQ(report.spot, c.spot);
    EXPECT_EQ(report.pointerKind, pointer::kOwn);
  }
}

TEST(DragGesture, AButtonPictureReleasedOutsideItselfGivesTheButtonBack) {
  const DropSpot own{DropTarget::kButtonPicture, 5};
  EXPECT_EQ(DragAndDrop({DragSource::kButtonPicture, 5}, kNothing).outcome, DragOutcome::kGivenBack);
  EXPECT_EQ(DragAndDrop({DragSource::kButtonPicture, 5}, {DropTarget::kButtonPicture, 6}).outcome,
            DragOutcome::kGivenBack);
  EXPECT_EQ(DragAndDrop({DragSource::kButtonPicture, 5}, own).outcome, DragOutcome::kCancelled);

  DragGesture gesture;
  gesture.Press(0, 0, {DragSource::kButtonPicture, 5});
  EXPECT_EQ(gesture.Move(0, 10, own).pointerKind, pointer::kRefused);
  EXPECT_EQ(gesture.Move(0, 30, kNothing).pointerKind, pointer::kDrop);
}

TEST(DragGesture, ADraggedRowAboveOrBelowTheLibraryScrollsItOneRowMorePerSixteenPixels) {
  EXPECT_EQ(DragGesture::EdgeScrollRows(150, 100, 200), 0);
  EXPECT_EQ(DragGesture::EdgeScrollRows(100, 100, 200), 0);
  EXPECT_EQ(DragGesture::EdgeScrollRows(99, 100, 200), -1);
  EXPECT_EQ(DragGesture::EdgeScrollRows(84, 100, 200), -2);
  EXPECT_EQ(DragGesture::EdgeScrollRows(200, 100, 200), 1);
  EXPECT_EQ(DragGesture::EdgeScrollRows(214, 100, 200), 1);
  EXPECT_EQ(DragGesture::EdgeScrollRows(215, 100, 200), 2);

  DragGesture gesture;
  gesture.SetLibraryPane({50, 100, 200, 100});
  gesture.Press(100, 150, {DragSource::kLibraryMacro, 0});
  EXPECT_FALSE(gesture.Move(100, 160, kLibraryRow).scrollChanged);
  EXPECT_TRUE(gesture.Move(100, 230, kNothing).scrollChanged);
  EXPECT_EQ(gesture.ScrollRows(), 2);
  EXPECT_FALSE(gesture.Move(101, 215, kNothing).scrollChanged);
  EXPECT_TRUE(gesture.Move(300, 231, kNothing).scrollChanged) << "beside the pane nothing scrolls";
  EXPECT_EQ(gesture.ScrollRows(), 0);
  gesture.Move(100, 90, kNothing);
  EXPECT_EQ(gesture.ScrollRows(), -1);
  const DragReport end = gesture.Release(kNothing);
  EXPECT_TRUE(end.scrollChanged);
  EXPECT_EQ(gesture.ScrollRows(), 0);

  gesture.Press(100, 150, {DragSource::kPaletteItem, 0});
  EXPECT_FALSE(gesture.Move(100, 300, kNothing).scrollChanged) << "only dragged rows scroll the library";
}
