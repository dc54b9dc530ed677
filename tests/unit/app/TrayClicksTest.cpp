#include <gtest/gtest.h>

#include "app/TrayClicks.h"

namespace {

constexpr int kLeftButtonDown = 0x201;
constexpr int kMouseMove = 0x200;

}  // namespace

// The shell's order for a double click: down, up, double click, up.
TEST(TrayClicks, ADoubleClickRestoresTheWindowAndNeverOpensTheMenu) {
  TrayClicks clicks;
  EXPECT_EQ(clicks.OnNotify(kTrayIconId, kLeftButtonDown, true).startMenuTimerMs, 0);
  EXPECT_EQ(clicks.OnNotify(kTrayIconId, kTrayLeftButtonUp, true).startMenuTimerMs, 500);

  const TrayAction doubleClick = clicks.OnNotify(kTrayIconId, kTrayLeftDoubleClick, true);
  EXPECT_TRUE(doubleClick.restoreWindow);
  EXPECT_FALSE(doubleClick.rereadLevels) << "the levels are read only when the window was hidden";
  EXPECT_TRUE(TrayClicks().OnNotify(kTrayIconId, kTrayLeftDoubleClick, false).rereadLevels);
  EXPECT_TRUE(doubleClick.stopMenuTimer);
  EXPECT_TRUE(clicks.JustDoubleClicked());

  const TrayAction release = clicks.OnNotify(kTrayIconId, kTrayLeftButtonUp, true);
  EXPECT_EQ(release.startMenuTimerMs, 0);
  EXPECT_FALSE(clicks.JustDoubleClicked());
  // A tick that was already queued when the timer stopped opens nothing.
  EXPECT_FALSE(clicks.OnMenuTimer());

  // The flag is spent: the next single click opens the menu again.
  EXPECT_EQ(clicks.OnNotify(kTrayIconId, kTrayLeftButtonUp, true).startMenuTimerMs, 500);
  EXPECT_TRUE(clicks.OnMenuTimer());
}

TEST(TrayClicks, ARightClickOpensTheMenuAtOnceAndEachClickOpensItOnce) {
  TrayClicks clicks;
  EXPECT_FALSE(clicks.OnMenuTimer());
  EXPECT_EQ(clicks.OnNotify(kTrayIconId, kTrayRightButtonUp, true).startMenuTimerMs, 10);
  EXPECT_TRUE(clicks.OnMenuTimer());
  EXPECT_FALSE(clicks.OnMenuTimer());
  // A right click during the left click's pause brings the menu forward.
  clicks.OnNotify(kTrayIconId, kTrayLeftButtonUp, true);
  EXPECT_EQ(clicks.OnNotify(kTrayIconId, kTrayRightButtonUp, true).startMenuTimerMs, 10);
  EXPECT_TRUE(clicks.OnMenuTimer());
}

TEST(TrayClicks, IgnoresOtherIconsAndOtherMessages) {
  TrayClicks clicks;
  const TrayAction foreign = clicks.OnNotify(kTrayIconId + 1, kTrayLeftDoubleClick, false);
  EXPECT_FALSE(foreign.restoreWindow || foreign.rereadLevels || foreign.stopMenuTimer);
  EXPECT_FALSE(clicks.JustDoubleClicked());
  EXPECT_EQ(clicks.OnNotify(kTrayIconId + 1, kTrayRightButtonUp, true).startMenuTimerMs, 0);
  EXPECT_FALSE(clicks.OnMenuTimer());

  const TrayAction move = clicks.OnNotify(kTrayIconId, kMouseMove, false);
  EXPECT_FALSE(move.restoreWindow || move.rereadLevels || move.stopMenuTimer || move.startMenuTimerMs != 0);
}
