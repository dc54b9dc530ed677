#pragma once
// The main window's frame, the part of the controller that every page
// shares: it switches pages, animates the tab highlight, the in-window
// fades, the tooltips and the start-up fade, keeps the focus redraw and the
// countdowns, and runs the device operations' flow. Events in, actions out.
//
// Each animation timer runs only while its animation has work: after every
// event the frame compares what each animation wants with the timers it has
// started and starts or stops the difference. A hidden window settles
// every animation and wakes only for a countdown that is still running.
#include <atomic>
#include <set>

#include "app/DeviceOperationFlow.h"
#include "app/InWindowFades.h"
#include "app/StartupFade.h"
#include "app/TabHighlight.h"
#include "app/Tooltips.h"
#include "app/WindowAction.h"
#include "app/WindowTimers.h"
#include "ui/SkinLayout.h"

struct WindowFrameSetup {
  bool hideAtStart = false;          // "/hide": hide at the first visible fade tick
  int tooltipExtraWidth = 0;         // the text table's "MISC" "shift"
  Tooltips::Measure measureTooltip;  // size of tooltip text n in the bubble's font
};

class WindowFrame {
 public:
  static constexpr int kFadeTimer = timers::kStartupFade.id;
  static constexpr int kFadePeriodMs = timers::kStartupFade.periodMs;
  static constexpr int kCountdownTimer = timers::kCountdowns.id;
  static constexpr int kCountdownPeriodMs = timers::kCountdowns.periodMs;
  static constexpr int kFocusRedrawTimer = timers::kFocusRedraw.id;
  static constexpr int kFocusRedrawPeriodMs = timers::kFocusRedraw.periodMs;
  static constexpr int kFocusRedrawTicks = 40;

  // The tabs are hit-tested where `layout` places them.
  WindowFrame(std::atomic<bool>& operationBusy, const SkinLayout& layout, WindowFrameSetup setup);

  // After the window's initialisation: page 0's controls.
  WindowActions Start();
  WindowActions OnVisibilityChanged(bool shown);
  WindowActions OnTimer(int id);

  WindowActions OnPointerMove(int x, int y);
  WindowActions OnPointerLeave();
  WindowActions OnLeftButtonDown(int x, int y);
  WindowActions OnTabClick(int tab);
  // A skinned list or combo box gained or lost the focus.
  WindowActions OnControlFocusChanged();
  // The window is being dragged.
  WindowActions OnMoving();

  // Button clicks, and OK (Enter), which does nothing.
  WindowActions OnCommand(int id);
  // Cancel (Escape): ends the dialog only when the program may end.
  WindowActions OnCancel(bool exitAllowed);
  // Another copy asked this one to show itself.
  WindowActions OnShowRequest();

  WindowActions OnQuestionAnswered(bool yes);
  WindowActions OnFileChosen(const std::u16string& file);
  WindowActions OnOperationStatus(const device::StatusTextSlot& slot);
  WindowActions OnOperationProgress(double fraction);
  WindowActions OnOperationSecondLine(const std::u16string& text);
  WindowActions OnOperationEnded(const OperationOutcome& outcome);

  // What the other parts of the window report.
  void SetRecording(bool running) { recording = running; }
  void SetEditorMode(int mode) { editorMode = mode; }
  void SetToolboxItems(const std::array<RectI, Tooltips::kItemCount>& items) { tooltips.SetItems(items); }
  WindowActions SetButtonHighlight(bool shown, const RectI& area);
  WindowActions HoldHoverPanel(int seconds);
  // The macro page keeps a marker for `seconds`.
  WindowActions StartDisplayCountdown(int seconds);

  // What the painters show.
  int CurrentTab() const { return currentTab; }
  const TabHighlight& Tabs() const { return tabs; }
  const InWindowFades& Fades() const { return fades; }
  Tooltips::Bubble Tooltip() const { return tooltips.Current(); }
  bool DisplayMarkerShown() const { return displayCountdown > 0; }
  const DeviceOperationFlow& Operation() const { return operation; }
  bool Visible() const { return visible; }

 private:
  // Hides every page control and shows page `page`'s.
  void ShowPageControls(int page, WindowActions& out) const;
  void OnFadeTick(WindowActions& out);
  void OnCountdownTick(WindowActions& out);
  // Starts or stops each animation timer to match what it has to do.
  void SyncTimers(WindowActions& out);
  void SyncTimer(int id, int periodMs, bool wanted, WindowActions& out);

  std::atomic<bool>& operationBusy;
  bool hideAtStart;
  StartupFade startupFade;
  bool startupFadeDone = false;
  TabHighlight tabs;
  InWindowFades fades;
  Tooltips tooltips;
  DeviceOperationFlow operation;

  bool visible = false;
  int currentTab = 0;
  bool recording = false;
  int editorMode = 0;
  int focusRedrawCountdown = 0;
  int displayCountdown = 0;
  // The animation timers this controller has started.
  std::set<int> runningTimers;
};
