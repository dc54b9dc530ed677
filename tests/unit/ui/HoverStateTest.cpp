#include <gtest/gtest.h>

#include "ui/HoverState.h"

TEST(HoverState, FirstMoveLightsRepaintsAndAsksForOneLeaveNotification) {
  HoverState hover(false);
  HoverAction first = hover.OnMouseMove();
  EXPECT_TRUE(hover.Hover());
  EXPECT_TRUE(first.repaint);
  EXPECT_TRUE(first.trackLeave);
  EXPECT_EQ(first.cursor, HoverCursor::Hand);
  HoverAction next = hover.OnMouseMove();
  EXPECT_FALSE(next.repaint) << "moving within the control costs no repaint";
  EXPECT_FALSE(next.trackLeave);
  EXPECT_EQ(next.cursor, HoverCursor::Hand);

  EXPECT_TRUE(hover.OnMouseLeave().repaint);
  EXPECT_FALSE(hover.Hover());
  EXPECT_TRUE(hover.OnMouseMove().trackLeave) << "coming back asks again";
}

TEST(HoverState, ReleasingTheButtonClearsHoverUntilThePointerMovesAgainButListsIgnoreIt) {
  HoverState button(true);
  button.OnMouseMove();
  EXPECT_TRUE(button.OnLeftDown().repaint);
  EXPECT_TRUE(button.Pressed());
  EXPECT_TRUE(button.Hover());
  EXPECT_TRUE(button.OnLeftUp().repaint);
  EXPECT_FALSE(button.Pressed());
  EXPECT_FALSE(button.Hover());
  const HoverAction moved = button.OnMouseMove();
  EXPECT_TRUE(button.Hover());
  EXPECT_TRUE(moved.repaint);

  HoverState list(false);
  list.OnMouseMove();
  EXPECT_FALSE(list.OnLeftDown().repaint || list.Pressed() || list.OnLeftUp().repaint);
  EXPECT_TRUE(list.Hover());
}

TEST(HoverState, SliderShowsTheHandOnlyOverItsThumb) {
  HoverState slider(true);
  EXPECT_EQ(slider.Cursor(), HoverCursor::Unchanged);
  EXPECT_EQ(slider.OnMouseMove(false).cursor, HoverCursor::Parent);
  EXPECT_EQ(slider.OnMouseMove(true).cursor, HoverCursor::Hand);
  EXPECT_EQ(slider.Cursor(), HoverCursor::Hand);
  slider.OnMouseMove(false);
  EXPECT_EQ(slider.Cursor(), HoverCursor::Parent);
}
