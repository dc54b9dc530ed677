#include <gtest/gtest.h>

#include <map>

#include "app/DpiPage.h"
#include "base/IniFile.h"

namespace {

using K = DpiEffectKind;

// The page with its timers running in simulated time; every device effect
// is kept with the time it happened.
struct Page {
  DpiPage page;
  std::map<int, long> dueAt;  // timer id -> when it fires
  long now = 0;
  struct Sent {
    long at;
    DpiEffect effect;
  };
  std::vector<Sent> sent;
  DpiSteps sliders;

  void Apply(const DpiEffects& effects) {
    for (const DpiEffect& effect : effects) {
      switch (effect.kind) {
        case K::kStartTimer:
          dueAt[effect.id] = now + effect.periodMs;
          break;
        case K::kStopTimer:
          dueAt.erase(effect.id);
          break;
        case K::kSetSlidersQuietly:
          sliders = {effect.x, effect.y};
          break;
        case K::kWriteLevel:
        case K::kSelectLevel:
        case K::kCommit:
          sent.push_back({now, effect});
          break;
        default:
          break;
      }
    }
  }
  void Advance(long ms) {
    const long end = now + ms;
    for (;;) {
      auto next = dueAt.end();
      for (auto it = dueAt.begin(); it != dueAt.end(); ++it) {
        if (it->second <= end && (next == dueAt.end() || it->second < next->second)) next = it;
      }
      if (next == dueAt.end()) break;
      now = next->second;
      Apply(page.OnTimer(next->first));
    }
    now = end;
  }
  void MoveX(int x) { Move(true, x, sliders.y); }
  // The user drags a slider: it stands where it was dragged to.
  void Move(bool fromX, int x, int y) {
    sliders = {x, y};
    Apply(page.OnSliderMoved(fromX, x, y));
  }
  std::vector<Sent> Of(K kind) const {
    std::vector<Sent> found;
    for (const Sent& s : sent) {
      if (s.effect.kind == kind) found.push_back(s);
    }
    return found;
  }
};

const DpiLevelTable kLevels = {{{8, 8}, {16, 16}, {24, 30}, {32, 32}}};

Page Ready(bool tied, int top = 50) {
  Page p;
  p.Apply(p.page.OnMouseReady(100, top, kLevels, 0, tied));
  return p;
}

TEST(DpiPage, ADragSendsOneLevelWriteAfterThePauseAndOneCommitASecondAfterTheLastMove) {
  Page p = Ready(true);
  for (int x = 9; x <= 30; ++x) {
    p.MoveX(x);
    p.Advance(50);
  }
  const long lastMove = p.now - 50;
  p.Advance(5000);
  const auto writes = p.Of(K::kWriteLevel);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].at, lastMove + 300);
  EXPECT_EQ(writes[0].effect.level, 0);
  EXPECT_EQ(writes[0].effect.x, 30);
  EXPECT_EQ(writes[0].effect.y, 30);  // the tie box keeps Y with X
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
  Page p = Ready(false);
  p.Apply(p.page.OnClick(110 + 2 * 63 + 5, 150, false));  // level 2: X 24, Y 30
  p.Move(true, 12, 30);
  p.Advance(2000);
  ASSERT_EQ(p.Of(K::kWriteLevel).size(), 1u);
  EXPECT_EQ(p.Of(K::kWriteLevel)[0].effect.y, 30);

  const DpiEffects ticked = p.page.OnTieToggled(true);
  EXPECT_EQ(ticked.front().kind, K::kEnableYSlider);
  EXPECT_FALSE(ticked.front().on);
  p.Apply(ticked);
  EXPECT_EQ(p.sliders, (DpiSteps{12, 12}));
  p.Advance(2000);
  ASSERT_EQ(p.Of(K::kWriteLevel).size(), 2u);
  EXPECT_EQ(p.Of(K::kWriteLevel)[1].effect.level, 2);
  EXPECT_EQ(p.Of(K::kWriteLevel)[1].effect.y, 12);
}

TEST(DpiPage, StepsAboveFiftyNeedAMouseWithTheExtendedRange) {
  Page standard = Ready(true, 50);
  standard.MoveX(56);
  standard.Advance(400);
  EXPECT_EQ(standard.Of(K::kWriteLevel).at(0).effect.x, 50);

  Page extended = Ready(true, 56);
  const DpiEffects ready = extended.page.OnMouseReady(100, 56, kLevels, 0, true);
  EXPECT_EQ(ready.front().kind, K::kSetSliderRange);
  EXPECT_EQ(ready.front().top, 56);
  extended.MoveX(56);
  extended.Advance(400);
  EXPECT_EQ(extended.Of(K::kWriteLevel).at(0).effect.x, 56);
}

TEST(DpiPage, ClickingALevelSelectsItAndAWriteStillDueGoesToTheLevelItWasMadeOn) {
  Page p = Ready(true);
  p.MoveX(20);
  p.Advance(100);
  p.Apply(p.page.OnClick(110 + 3 * 63 + 41, 148 + 41, false));
  ASSERT_GE(p.sent.size(), 3u);
  EXPECT_EQ(p.sent[0].effect.kind, K::kWriteLevel);
  EXPECT_EQ(p.sent[0].effect.level, 0);
  EXPECT_EQ(p.sent[0].effect.x, 20);
  EXPECT_EQ(p.sent.back().effect.kind, K::kSelectLevel);
  EXPECT_EQ(p.sent.back().effect.level, 3);
  EXPECT_EQ(p.sliders, (DpiSteps{32, 32}));
  p.Advance(2000);
  EXPECT_EQ(p.Of(K::kWriteLevel).size(), 1u);  // the timer found nothing left to write
  EXPECT_EQ(p.Of(K::kCommit).size(), 1u);

  // Between the buttons, and while a device operation runs, a click does nothing.
  EXPECT_TRUE(p.page.OnClick(110 + 45, 160, false).empty());
  EXPECT_TRUE(p.page.OnClick(110, 148, true).empty());
}

TEST(DpiPage, WithoutAMouseNothingIsEditableAndNothingIsSent) {
  Page p = Ready(true);
  p.MoveX(20);
  const DpiEffects gone = p.page.OnMouseGone();
  EXPECT_EQ(gone.front().kind, K::kEnableControls);
  EXPECT_FALSE(gone.front().on);
  p.Apply(gone);
  p.MoveX(25);
  p.Apply(p.page.OnClick(110, 148, false));
  p.Advance(2000);
  EXPECT_TRUE(p.sent.empty());
  UiText texts = LoadUiText(IniFile(), 5888);
  p.page.FormatLabels(texts);
  EXPECT_EQ(texts.labels[4].text, u"X:0");
}

TEST(DpiPage, ALevelChangeOfTheMouseMovesTheSlidersAndLabelsWhenNoOperationRuns) {
  Page p = Ready(true);
  DpiLevelTable read = kLevels;
  read[1] = {16, 20};
  const DpiEffects waiting = p.page.Resynchronise(read, 1, true, true);
  ASSERT_EQ(waiting.size(), 2u);
  EXPECT_EQ(waiting[1].kind, K::kStartTimer);  // looks again once the operation is over
  EXPECT_EQ(p.page.CurrentLevel(), 0);

  const DpiEffects hidden = p.page.Resynchronise(read, 1, false, false);
  p.Apply(hidden);
  EXPECT_EQ(p.sliders, (DpiSteps{16, 20}));
  for (const DpiEffect& effect : hidden) EXPECT_NE(effect.kind, K::kRepaint);
  UiText texts = LoadUiText(IniFile(), 5888);
  texts.dpiTemplateX = u"Horizontal %d dpi";
  p.page.FormatLabels(texts);
  EXPECT_EQ(texts.labels[4].text, u"Horizontal 1600 dpi");
  EXPECT_EQ(texts.labels[5].text, u"Y:2000");
  EXPECT_TRUE(p.sent.empty());
}

}  // namespace
