#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"
#include "ui/DropDownWidth.h"
#include "ui/ScrollMirror.h"
#include "ui/SliderChange.h"

TEST(DropDownWidth, OpeningTwiceWithUnchangedItemsResizesOnceAndAnEmptyListNever) {
  RecordingCanvas canvas;
  EXPECT_FALSE(DropDownWidth().OnDropDown(WidestText(canvas, {}, 2), 17).has_value());
  const std::vector<std::u16string> items{u"Left click", u"Disabled", u"Macro: a long name"};
  const int widest = WidestText(canvas, items, 2);
  EXPECT_EQ(widest, 18 * 7);
  DropDownWidth width;
  EXPECT_EQ(width.OnDropDown(widest, 17), 126 + 17 + 8);
  EXPECT_FALSE(width.OnDropDown(widest, 17).has_value());
  EXPECT_EQ(width.OnDropDown(WidestText(canvas, {u"short"}, 2), 17), 35 + 17 + 8) << "narrower items shrink it";
}

TEST(SliderChange, DraggingPostsEachNewPositionOnceAndQuietMovesPostNothing) {
  SliderChange slider(10);
  EXPECT_FALSE(slider.OnPosition(10).repaint) << "where it stood when attached is no move";
  SliderChangeAction moved = slider.OnPosition(11);
  EXPECT_TRUE(moved.repaint);
  EXPECT_TRUE(moved.postMoved);
  EXPECT_FALSE(slider.OnPosition(11).postMoved) << "seen twice, posted once";

  slider.SetQuiet();
  const SliderChangeAction quiet = slider.OnPosition(30);
  EXPECT_TRUE(quiet.repaint);
  EXPECT_FALSE(quiet.postMoved);
  EXPECT_TRUE(slider.OnPosition(31).postMoved) << "quiet lasts for one reading only";

  slider.SetQuiet();
  EXPECT_FALSE(slider.OnPosition(31).repaint);
  EXPECT_TRUE(slider.OnPosition(32).postMoved) << "a reading without change also ends the quiet";
  EXPECT_EQ(slider.Position(), 32);
}

TEST(ScrollMirror, CopiesTheRangeWhenItChangesAndThePositionAlways) {
  ScrollMirror mirror;
  EXPECT_TRUE(mirror.Mirror(0, 0, 0).setRange) << "the bar's own initial range is replaced even by an empty list's";
  EXPECT_FALSE(mirror.Mirror(0, 0, 0).setRange);
  const ScrollMirrorAction grown = mirror.Mirror(0, 14, 3);
  EXPECT_TRUE(grown.setRange);
  EXPECT_EQ(grown.maximum, 14);
  EXPECT_EQ(grown.position, 3);
  const ScrollMirrorAction scrolled = mirror.Mirror(0, 14, 7);
  EXPECT_FALSE(scrolled.setRange);
  EXPECT_EQ(scrolled.position, 7);
}
