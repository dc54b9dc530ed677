#include <gtest/gtest.h>

#include <map>

#include "app/DpiPage.h"
#include "base/IniFile.h"
#include "support/TimerBoard.h"
#include "ui/SkinLayout.h"

namespace {

using K = MouseRequest::Kind;

// The page with its timers running in simulated time; every request for
// the mouse is kept with the time it was made.
struct Page {
  DpiPage page;
  TimerBoard timers;
  struct Sent {
    std::int64_t at;
    MouseRequest request;
  };
  std::vector<Sent> sent;
  DpiSteps sliders;
  std::map<int, bool> enabled;  // control id -> enabled

  template <typename Call>
  WindowActions Do(Call call) {
    WindowActions out;
    call(out);
    timers.Apply(out);
    for (const WindowAction& action : out.Items()) {
      if (action.kind == ActionKind::kSetSliders) sliders = {action.x, action.y};
      if (action.kind == ActionKind::kEnableControl) enabled[action.id] = true;
      if (action.kind == ActionKind::kDisableControl) enabled[action.id] = false;
      if (action.kind == ActionKind::kMouseRequest) sent.push_back({timers.Now(), action.request});
    }
    return out;
  }
  void Advance(int ms) {
    timers.Advance(ms, [&](int id) { return Do([&](WindowActions& out) { page.OnTimer(id, out); }); });
  }
  void MoveX(int x) { Move(true, x, sliders.y); }
  // The user drags a slider: it stands where it was dragged to.
  void Move(bool fromX, int x, int y) {
    sliders = {x, y};
    Do([&](WindowActions& out) { page.OnSliderMoved(fromX, x, y, out); });
  }
  WindowActions Click(int x, int y, bool busy = false) {
    return Do([&](WindowActions& out) { page.OnClick(x, y, busy, out); });
  }
  std::vector<Sent> Of(K kind) const {
    std::vector<Sent> found;
    for (const Sent& s : sent) {
      if (s.request.kind == kind) found.push_back(s);
    }
    return found;
  }
};

bool Has(const WindowActions& actions, ActionKind kind) {
  for (const WindowAction& action : actions.Items()) {
    if (action.kind == kind) return true;
  }
  return false;
}

const DpiLevelTable kTiedLevels = {{{8, 8}, {16, 16}, {24, 24}, {32, 32}}};
const DpiLevelTable kLevels = {{{8, 8}, {16, 16}, {24, 30}, {32, 32}}};

// A mouse with `levels`; with `tie`, the user ticked the box that ties Y to X.
Page Ready(const DpiLevelTable& levels = kTiedLevels, int top = 50, bool tie = true) {
  Page p;
  p.Do([&](WindowActions& out) { p.page.OnMouseReady(100, top, levels, 0, out); });
  if (tie) p.Do([&](WindowActions& out) { p.page.OnTieToggled(true, out); });
  return p;
}

// The middle of level button `level`.
int LevelX(int level) { return LevelButtonRect(level).x + LevelButtonRect(level).width / 2; }
int LevelY(int level) { return LevelButtonRect(level).y + LevelButtonRect(level).height / 2; }

TEST(DpiPage, ADragSendsOneLevelWriteAfterThePauseAndOneCommitASecondAfterTheLastMove) {
  Page p = Ready();
  for (int x = 9; x <= 30; ++x) {
    p.MoveX(x);
    p.Advance(50);
  }
  const std::int64_t lastMove = p.timers.Now() - 50;
  p.Advance(5000);
  const auto writes = p.Of(K::kWriteLevel);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].at, lastMove + 300);
  EXPECT_EQ(writes[0].request.level, 0);
  EXPECT_EQ(writes[0].request.x, 30);
  EXPECT_EQ(writes[0].request.y, 30);  // the tie box keeps Y with X
  EXPECT_EQ(p.sliders, (DpiSteps{30, 30}));
  // The written level is the one the mouse is on: selected again to take effect.
  ASSERT_EQ(p.Of(K::kSelectLevel).size(), 1u);
  const auto commits = p.Of(K::kCommit);
  ASSERT_EQ(commits.size(), 1u);
  EXPECT_EQ(commits[0].at, lastMove + 1000);

  // A position reported again without a change sends nothing more.
  p.MoveX(30);
  p.Advance(5000);
  EXPECT_EQ(p.Of(K::kWriteLevel).size(), 1u);
  EXPECT_EQ(p.Of(K::kCommit).size(), 1u);
}

TEST(DpiPage, TickingTheTieBoxBringsYToXAndUntickedTheAxesMoveApart) {
  Page p = Ready(kLevels);
  ASSERT_TRUE(p.page.Tied());
  p.Do([&](WindowActions& out) { p.page.OnMouseReady(100, 50, kLevels, 0, out); });
  EXPECT_FALSE(p.page.Tied()) << "a mouse with a level whose axes differ unties the box";
  EXPECT_TRUE(p.enabled[kControlSliderY]);
  p.Click(LevelX(2), LevelY(2));  // level 2: X 24, Y 30
  p.Move(true, 12, 30);
  p.Advance(2000);
  ASSERT_EQ(p.Of(K::kWriteLevel).size(), 1u);
  EXPECT_EQ(p.Of(K::kWriteLevel)[0].request.y, 30);

  p.Do([&](WindowActions& out) { p.page.OnTieToggled(true, out); });
  EXPECT_FALSE(p.enabled[kControlSliderY]);
  EXPECT_EQ(p.sliders, (DpiSteps{12, 12}));
  p.Advance(2000);
  ASSERT_EQ(p.Of(K::kWriteLevel).size(), 2u);
  EXPECT_EQ(p.Of(K::kWriteLevel)[1].request.level, 2);
  EXPECT_EQ(p.Of(K::kWriteLevel)[1].request.y, 12);
}

TEST(DpiPage, StepsAboveFiftyNeedAMouseWithTheExtendedRange) {
  Page standard = Ready(kTiedLevels, 50);
  standard.MoveX(56);
  standard.Advance(400);
  EXPECT_EQ(standard.Of(K::kWriteLevel).at(0).request.x, 50);

  Page extended = Ready(kTiedLevels, 56);
  const WindowActions ready =
      extended.Do([&](WindowActions& out) { extended.page.OnMouseReady(100, 56, kTiedLevels, 0, out); });
  EXPECT_EQ(ready.Items().front().kind, ActionKind::kSetSliderRange);
  EXPECT_EQ(ready.Items().front().value, 56);
  extended.MoveX(56);
  extended.Advance(400);
  EXPECT_EQ(extended.Of(K::kWriteLevel).at(0).request.x, 56);
}

TEST(DpiPage, ClickingALevelSelectsItAndAWriteStillDueGoesToTheLevelItWasMadeOn) {
  Page p = Ready();
  p.MoveX(20);
  p.Advance(100);
  p.Click(LevelButtonRect(3).x + LevelButtonRect(3).width - 1, LevelButtonRect(3).y + LevelButtonRect(3).height - 1);
  ASSERT_GE(p.sent.size(), 3u);
  EXPECT_EQ(p.sent[0].request.kind, K::kWriteLevel);
  EXPECT_EQ(p.sent[0].request.level, 0);
  EXPECT_EQ(p.sent[0].request.x, 20);
  EXPECT_EQ(p.sent.back().request.kind, K::kSelectLevel);
  EXPECT_EQ(p.sent.back().request.level, 3);
  EXPECT_EQ(p.sliders, (DpiSteps{32, 32}));
  p.Advance(2000);
  EXPECT_EQ(p.Of(K::kWriteLevel).size(), 1u);  // the timer found nothing left to write
  EXPECT_EQ(p.Of(K::kCommit).size(), 1u);

  // Between the buttons, and while a device operation runs, a click does nothing.
  EXPECT_TRUE(p.Click(LevelButtonRect(0).x + LevelButtonRect(0).width + 1, LevelY(0)).Empty());
  EXPECT_TRUE(p.Click(LevelX(0), LevelY(0), true).Empty());
}

TEST(DpiPage, WithoutAMouseNothingIsEditableAndNothingIsSent) {
  Page p = Ready();
  p.MoveX(20);
  p.Do([&](WindowActions& out) { p.page.OnMouseGone(out); });
  EXPECT_FALSE(p.enabled[kControlSliderX]);
  EXPECT_FALSE(p.enabled[kControlTieBox]);
  p.MoveX(25);
  p.Click(LevelX(0), LevelY(0));
  p.Advance(2000);
  EXPECT_TRUE(p.sent.empty());
  UiText texts = LoadUiText(IniFile(), 5888);
  p.page.FormatLabels(texts);
  EXPECT_EQ(texts.labels[4].text, u"X:0");
}

TEST(DpiPage, ALevelChangeOfTheMouseShowsAtOnceAndItsStepsFollowWhenNoOperationRuns) {
  Page p = Ready();
  p.MoveX(20);
  // The mouse's own keys: the level shown follows at once, and the write
  // still due goes to the level it was made on first.
  const WindowActions changed = p.Do([&](WindowActions& out) { p.page.OnLevelChangedOnMouse(1, true, out); });
  EXPECT_TRUE(Has(changed, ActionKind::kRepaintWindow));
  EXPECT_EQ(p.page.CurrentLevel(), 1);
  EXPECT_EQ(p.sliders, (DpiSteps{16, 16}));
  ASSERT_EQ(p.Of(K::kWriteLevel).size(), 1u);
  EXPECT_EQ(p.Of(K::kWriteLevel)[0].request.level, 0);
  EXPECT_TRUE(p.timers.Running(timers::kLevelResync.id));
  EXPECT_FALSE(Has(p.Do([&](WindowActions& out) { p.page.OnLevelChangedOnMouse(2, false, out); }),
                   ActionKind::kRepaintWindow))
      << "another page shows: nothing to repaint";
  p.sent.clear();

  DpiLevelTable read = kTiedLevels;
  read[1] = {16, 20};
  const WindowActions waiting = p.Do([&](WindowActions& out) { p.page.Resynchronise(read, 1, true, true, out); });
  EXPECT_TRUE(p.timers.Running(timers::kLevelResync.id)) << "looks again once the operation is over";
  EXPECT_EQ(p.page.CurrentLevel(), 2);

  const WindowActions hidden = p.Do([&](WindowActions& out) { p.page.Resynchronise(read, 1, false, false, out); });
  EXPECT_EQ(p.sliders, (DpiSteps{16, 20}));
  EXPECT_FALSE(Has(hidden, ActionKind::kRepaintWindow));
  UiText texts = LoadUiText(IniFile(), 5888);
  texts.dpiTemplateX = u"Horizontal %d dpi";
  p.page.FormatLabels(texts);
  EXPECT_EQ(texts.labels[4].text, u"Horizontal 1600 dpi");
  EXPECT_EQ(texts.labels[5].text, u"Y:2000");
  EXPECT_TRUE(p.sent.empty());
}

}  // namespace
