// What the window's frame decides on its own: which timers run and for how
// long, and the rules of a device operation. The path from the window's
// events to the mouse is WindowControllerTest's.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>

#include "app/WindowFrame.h"
#include "support/TimerBoard.h"

namespace {

const SkinLayout kLayout = BuildSkinLayout(BuiltInSkinStyle());
RectI TabRect(int tab) { return kLayout.tabs[static_cast<size_t>(tab)].rect; }

// A frame whose timers tick in simulated time; the actions of the last call
// (or of every tick of the last Run) land in `log`.
struct Window {
  std::atomic<bool> busy{false};
  WindowFrame frame;
  TimerBoard timers;
  std::vector<WindowAction> log;

  explicit Window(WindowFrameSetup setup = {}) : frame(busy, kLayout, std::move(setup)) { Take(frame.Start()); }

  void Take(const WindowActions& actions) {
    timers.Apply(actions);
    log = actions.Items();
  }
  void Run(int ms) {
    log.clear();
    timers.Advance(ms, [&](int id) {
      WindowActions tick = frame.OnTimer(id);
      log.insert(log.end(), tick.Items().begin(), tick.Items().end());
      return tick;
    });
  }
  // Shown, with the start-up fade over.
  Window& Shown() {
    Take(frame.OnVisibilityChanged(true));
    Run(100);
    return *this;
  }
  void ClickTab(int tab) { Take(frame.OnLeftButtonDown(TabRect(tab).x + 5, TabRect(tab).y + 5)); }
  void PointAt(RectI r) { Take(frame.OnPointerMove(r.x + 1, r.y + 1)); }

  std::vector<WindowAction> Of(ActionKind kind) const {
    std::vector<WindowAction> found;
    std::copy_if(log.begin(), log.end(), std::back_inserter(found),
                 [kind](const WindowAction& action) { return action.kind == kind; });
    return found;
  }
  std::set<int> Ids(ActionKind kind) const {
    std::set<int> ids;
    for (const WindowAction& action : Of(kind)) ids.insert(action.id);
    return ids;
  }
};

std::set<int> SetOf(const std::vector<int>& ids) { return {ids.begin(), ids.end()}; }

}  // namespace

TEST(MainWindowPages, ATabClickHidesEveryPageControlBeforeShowingTheNewPagesAndIsInertWhileBusy) {
  Window window;
  window.Shown();
  for (int tab : {1, 2, 0}) {
    window.ClickTab(tab);
    EXPECT_EQ(window.frame.CurrentTab(), tab);
    EXPECT_EQ(window.Ids(ActionKind::kHideControl), SetOf(AllPageControls()));
    EXPECT_EQ(window.Ids(ActionKind::kShowControl), SetOf(PageControls(tab))) << "page " << tab;
    const auto firstShow = std::find_if(window.log.begin(), window.log.end(),
                                        [](const WindowAction& a) { return a.kind == ActionKind::kShowControl; });
    EXPECT_TRUE(std::none_of(firstShow, window.log.end(),
                             [](const WindowAction& a) { return a.kind == ActionKind::kHideControl; }));
    ASSERT_GE(window.log.size(), 2u);
    EXPECT_EQ(window.log[window.log.size() - 2].kind, ActionKind::kSetControlsChanged);
    EXPECT_EQ(window.log.back().kind, ActionKind::kRepaintWindow);
  }

  window.busy = true;
  window.ClickTab(1);
  window.busy = false;
  window.frame.SetRecording(true);
  window.ClickTab(1);
  window.frame.SetRecording(false);
  // A reset ends with an arrival, which clears the busy flag before the
  // window hears that the reset is over.
  window.Take(window.frame.OnCommand(kControlReset));
  window.Take(window.frame.OnQuestionAnswered(true));
  window.busy = false;
  window.ClickTab(2);
  EXPECT_TRUE(window.log.empty());
  EXPECT_EQ(window.frame.CurrentTab(), 0);
}

TEST(MainWindowPages, SamePageOnlyDropsTheHighlightAndLeavingTheMacroPageEndsItsCountdown) {
  Window window;
  window.Shown();
  window.Take(window.frame.SetButtonHighlight(true, {10, 10, 20, 20}));
  window.Run(100);
  window.ClickTab(0);
  EXPECT_FALSE(window.frame.Fades().HighlightShown());
  EXPECT_TRUE(window.Ids(ActionKind::kShowControl).empty());

  window.ClickTab(2);
  window.Take(window.frame.StartDisplayCountdown(5));
  window.ClickTab(1);
  EXPECT_FALSE(window.frame.DisplayMarkerShown());
  EXPECT_FALSE(window.timers.Running(WindowFrame::kCountdownTimer));
}

TEST(MainWindowAnimations, TabPulsesUpAndDownWhileThePointerRestsAndStopsWhenItLeaves) {
  Window window;
  window.Shown();
  window.PointAt(TabRect(1));
  window.Run(50 * 25);
  EXPECT_EQ(window.frame.Tabs().Value(), 0xA0 - 4);  // 24 steps up, one down
  EXPECT_EQ(window.Of(ActionKind::kRepaintRect).size(), 25u);
  EXPECT_EQ(window.Of(ActionKind::kRepaintRect).back().rect, TabRect(1));
  window.Run(50 * 24);
  EXPECT_EQ(window.frame.Tabs().Value(), 0x44);  // down to 0x40 and up again

  window.Take(window.frame.OnPointerMove(5, 5));
  EXPECT_EQ(window.frame.Tabs().Value(), 0x40);
  EXPECT_FALSE(window.timers.AnyRunning());
  window.PointAt(TabRect(0));
  EXPECT_FALSE(window.timers.AnyRunning()) << "the current page's tab does not pulse";
}

TEST(MainWindowAnimations, FadesStepToTheirEndsThenStopTheirTimer) {
  Window window;
  window.Shown();
  window.Take(window.frame.SetButtonHighlight(true, {300, 100, 30, 30}));
  window.Run(40);
  EXPECT_EQ(window.frame.Fades().HighlightAlpha(), 240);
  window.Run(1000);
  EXPECT_EQ(window.frame.Fades().HighlightAlpha(), 255);
  EXPECT_EQ(window.Of(ActionKind::kRepaintRect).size(), 1u);
  EXPECT_FALSE(window.timers.AnyRunning());
  window.Take(window.frame.SetButtonHighlight(false, {}));
  window.Run(1000);
  EXPECT_FALSE(window.frame.Fades().HighlightShown());

  // The colour panel rises while its countdown runs and falls after it.
  window.Take(window.frame.HoldHoverPanel(2));
  window.Run(70);
  EXPECT_EQ(window.frame.Fades().PanelAlpha(), 255);
  EXPECT_FALSE(window.timers.Running(InWindowFades::kTimerId));
  window.Run(2200);
  EXPECT_EQ(window.frame.Fades().PanelAlpha(), 0);
  EXPECT_FALSE(window.timers.AnyRunning());
}

TEST(MainWindowAnimations, FocusChangeRedrawsTheHighlightedButtonFortyTimes) {
  Window window;
  window.Shown();
  const RectI button{100, 200, 30, 30};
  window.Take(window.frame.SetButtonHighlight(true, button));
  window.Run(1000);
  window.Take(window.frame.OnControlFocusChanged());
  const std::int64_t before = window.timers.WakeUps();
  window.Run(60000);
  const auto repaints = window.Of(ActionKind::kRepaintRect);
  EXPECT_EQ(repaints.size(), 40u);
  for (const WindowAction& repaint : repaints) EXPECT_EQ(repaint.rect, button);
  EXPECT_EQ(window.timers.WakeUps() - before, 40);
}

TEST(MainWindowAnimations, TooltipShowsOnTheFifthTickAboveItsItemOnTheMacroPageOnly) {
  WindowFrameSetup setup;
  setup.tooltipExtraWidth = 6;
  setup.measureTooltip = [](int slot) { return TextExtent{100 + slot, 12}; };
  Window window(setup);
  window.Shown();
  std::array<RectI, Tooltips::kItemCount> items{};
  for (int i = 0; i < Tooltips::kItemCount; ++i) items[static_cast<size_t>(i)] = {400 + 40 * i, 500, 32, 32};
  window.frame.SetToolboxItems(items);
  window.Take(window.frame.OnPointerMove(445, 510));  // item 1, but not on the macro page
  EXPECT_FALSE(window.timers.AnyRunning());

  window.ClickTab(2);
  window.Take(window.frame.OnPointerMove(445, 510));
  window.Run(400);
  EXPECT_FALSE(window.frame.Tooltip().shown);
  window.Run(100);
  const Tooltips::Bubble bubble = window.frame.Tooltip();
  ASSERT_TRUE(bubble.shown);
  EXPECT_EQ(bubble.textSlot, 10);  // editor mode 0: "new folder"
  EXPECT_EQ(bubble.rect, (RectI{456 - 85, 500 - 22, 170, 17}));
  EXPECT_FALSE(window.timers.AnyRunning());

  window.frame.SetEditorMode(1);
  window.Take(window.frame.OnPointerMove(525, 510));              // item 3
  EXPECT_EQ(window.Of(ActionKind::kRepaintRect).size(), 2u);  // the old item and its bubble
  window.Run(500);
  EXPECT_EQ(window.frame.Tooltip().textSlot, 3);
  window.Take(window.frame.OnPointerLeave());
  EXPECT_FALSE(window.frame.Tooltip().shown);
}

TEST(MainWindowAnimations, StartupFadeWaitsForTheWindowAndHideAtStartHidesOnce) {
  Window fading;
  EXPECT_FALSE(fading.timers.AnyRunning());
  fading.Shown();
  const auto alphas = fading.Of(ActionKind::kSetAlpha);
  ASSERT_EQ(alphas.size(), 8u);
  EXPECT_EQ(alphas.front().value, 35);
  EXPECT_EQ(alphas.back().value, 255);
  EXPECT_FALSE(fading.timers.AnyRunning());

  WindowFrameSetup setup;
  setup.hideAtStart = true;
  Window hidden(setup);
  hidden.Shown();
  EXPECT_EQ(hidden.Of(ActionKind::kHideAndCenter).size(), 1u);
  EXPECT_TRUE(hidden.Of(ActionKind::kSetAlpha).empty());
}

TEST(MainWindowAnimations, HiddenWindowRunsNoTimerOnceItsCountdownsEnd) {
  Window window;
  window.Shown();
  window.PointAt(TabRect(2));
  window.Take(window.frame.OnControlFocusChanged());
  window.Take(window.frame.SetButtonHighlight(true, {1, 1, 5, 5}));
  window.Take(window.frame.HoldHoverPanel(3));
  window.Take(window.frame.OnVisibilityChanged(false));
  const std::int64_t before = window.timers.WakeUps();
  window.Run(10000);
  EXPECT_EQ(window.timers.WakeUps() - before, 3);  // the panel's countdown only
  EXPECT_EQ(window.frame.Fades().PanelAlpha(), 0);
  EXPECT_FALSE(window.timers.AnyRunning());
}

TEST(MainWindowCommands, MovingTheWindowRepaintsTheFramesControlsAndTheButtonPagesLists) {
  Window window;
  window.Take(window.frame.OnMoving());
  EXPECT_EQ(window.Ids(ActionKind::kRepaintControl).size(), 16u);
  window.ClickTab(1);
  window.Take(window.frame.OnMoving());
  EXPECT_EQ(window.Ids(ActionKind::kRepaintControl), (std::set<int>{1001, 1002, 1003, 1015}));
}

TEST(MainWindowOperations, BackupChoosesItsFileFirstAndASecondClickWhileItRunsDoesNothing) {
  Window window;
  window.ClickTab(1);
  window.Take(window.frame.OnCommand(kControlBackup));
  ASSERT_EQ(window.log.size(), 1u);
  EXPECT_EQ(window.log[0].fileDialog, FileDialogKind::kSave);
  window.Take(window.frame.OnFileChosen(u"Z:\\b.mbf"));
  EXPECT_TRUE(window.busy);
  const std::set<int> buttons = window.Ids(ActionKind::kDisableControl);
  const std::set<int> sliders = window.Ids(ActionKind::kHideControl);
  EXPECT_EQ(buttons, (std::set<int>{kControlBackup, kControlRestore, kControlReset}));
  EXPECT_FALSE(sliders.empty());
  EXPECT_EQ(window.Of(ActionKind::kSetWaitCursor).size(), 1u);
  ASSERT_EQ(window.log.back().kind, ActionKind::kStartWorker);
  EXPECT_EQ(window.log.back().operation, DeviceOperation::kBackup);
  EXPECT_EQ(window.log.back().text, u"Z:\\b.mbf");

  for (int id : {kControlBackup, kControlRestore, kControlReset}) EXPECT_TRUE(window.frame.OnCommand(id).Empty());

  // The worker cleared the flag as it finished and an arrival has taken it
  // since: the end of the operation leaves it to that arrival.
  window.Take(window.frame.OnOperationEnded({u"Completed !!"}));
  EXPECT_TRUE(window.busy);
  EXPECT_EQ(window.Ids(ActionKind::kEnableControl), buttons);
  EXPECT_EQ(window.Ids(ActionKind::kShowControl), sliders);
  EXPECT_EQ(window.Of(ActionKind::kRestoreClassCursor).size(), 1u);
  ASSERT_EQ(window.log.back().kind, ActionKind::kShowMessage);
  EXPECT_EQ(window.log.back().captionSlot, kMessageBackupCaption);
}

// What the panel shows is WindowSnapshotTest's; here, what it costs.
TEST(MainWindowOperations, ProgressPanelRepaintsOnlyItselfAndOnlyForAChangeWhileAnOperationRuns) {
  Window window;
  window.Take(window.frame.OnCommand(kControlReset));
  window.Take(window.frame.OnQuestionAnswered(true));
  const auto onlyPanel = [](const WindowActions& actions) {
    return actions.Items().size() == 1 && actions.Items()[0].kind == ActionKind::kRepaintRect &&
           actions.Items()[0].rect == RectI{251, 237, 301, 141};
  };
  EXPECT_TRUE(onlyPanel(window.frame.OnOperationStatus(device::StatusTextSlotOf(device::OperationStatus::kDeletingLibrary))));
  EXPECT_TRUE(onlyPanel(window.frame.OnOperationProgress(0.25)));
  EXPECT_TRUE(window.frame.OnOperationProgress(0.25).Empty());
  window.Take(window.frame.OnOperationEnded({}));
  EXPECT_TRUE(window.frame.OnOperationProgress(0.5).Empty());
}

TEST(MainWindowOperations, RestoreAndResetAskFirstAndNoOrACancelledFileChangesNothing) {
  Window window;
  window.Take(window.frame.OnCommand(kControlRestore));
  ASSERT_EQ(window.log.size(), 1u);
  EXPECT_EQ(window.log[0].kind, ActionKind::kAskYesNo);
  EXPECT_EQ(window.log[0].messageSlot, 9);
  EXPECT_TRUE(window.frame.OnQuestionAnswered(false).Empty());
  EXPECT_FALSE(window.busy);

  window.Take(window.frame.OnCommand(kControlRestore));
  window.Take(window.frame.OnQuestionAnswered(true));
  EXPECT_EQ(window.log.at(0).fileDialog, FileDialogKind::kOpen);
  EXPECT_TRUE(window.frame.OnFileChosen(u"").Empty());
  EXPECT_FALSE(window.busy);

  window.Take(window.frame.OnCommand(kControlReset));
  EXPECT_EQ(window.log.at(0).messageSlot, 11);
  window.Take(window.frame.OnQuestionAnswered(true));
  ASSERT_EQ(window.log.back().kind, ActionKind::kStartWorker);
  EXPECT_EQ(window.log.back().operation, DeviceOperation::kReset);
  // Off the page with the sliders, the end leaves them hidden.
  window.Take(window.frame.OnOperationEnded({}));
  EXPECT_TRUE(window.Ids(ActionKind::kShowControl).empty());

  window.busy = true;  // an arrival runs
  EXPECT_TRUE(window.frame.OnCommand(kControlReset).Empty());

  // An arrival that began while the question was open: the user hears why
  // nothing starts, and the flag stays the arrival's.
  window.busy = false;
  window.Take(window.frame.OnCommand(kControlReset));
  window.busy = true;
  window.Take(window.frame.OnQuestionAnswered(true));
  ASSERT_EQ(window.log.size(), 1u);
  EXPECT_EQ(window.log[0].messageSlot, kMessageMouseBusy);
  EXPECT_TRUE(window.busy);
  EXPECT_FALSE(window.frame.Operation().Running());
}
