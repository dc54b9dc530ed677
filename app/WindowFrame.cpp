#include "app/WindowFrame.h"

#include <algorithm>

namespace {

// The page whose controls include the sliders and the tie box.
bool ShowsLevelControls(int page) {
  const std::vector<int>& controls = PageControls(page);
  return std::find(controls.begin(), controls.end(), kControlSliderX) != controls.end();
}

std::array<RectI, kTabCount> TabRects(const SkinLayout& layout) {
  std::array<RectI, kTabCount> rects;
  for (size_t tab = 0; tab < rects.size(); ++tab) rects[tab] = layout.tabs[tab].rect;
  return rects;
}

}  // namespace

WindowFrame::WindowFrame(std::atomic<bool>& operationBusy, const SkinLayout& layout, WindowFrameSetup setup)
    : operationBusy(operationBusy),
      hideAtStart(setup.hideAtStart),
      tabs(TabRects(layout)),
      tooltips(std::move(setup.measureTooltip), setup.tooltipExtraWidth),
      operation(operationBusy) {}

WindowActions WindowFrame::Start() {
  WindowActions out;
  ShowPageControls(currentTab, out);
  out.Add(ActionKind::kSetControlsChanged);
  SyncTimers(out);
  return out;
}

WindowActions WindowFrame::OnVisibilityChanged(bool shown) {
  WindowActions out;
  visible = shown;
  if (!visible) {
    tabs.PointerOver(-1, out);
    tooltips.PointerAt(-1, -1, false, out);
    focusRedrawCountdown = 0;
  }
  SyncTimers(out);
  return out;
}

WindowActions WindowFrame::OnTimer(int id) {
  WindowActions out;
  switch (id) {
    case kFadeTimer:
      OnFadeTick(out);
      break;
    case kCountdownTimer:
      OnCountdownTick(out);
      break;
    case kFocusRedrawTimer:
      if (focusRedrawCountdown > 0) {
        --focusRedrawCountdown;
        if (fades.HighlightShown()) out.RepaintRect(fades.HighlightArea());
      }
      break;
    case TabHighlight::kTimerId:
      tabs.Tick(currentTab, out);
      break;
    case InWindowFades::kTimerId:
      fades.FadeTick(out);
      break;
    case Tooltips::kTimerId:
      tooltips.Tick(editorMode, out);
      break;
    default:
      return out;
  }
  SyncTimers(out);
  return out;
}

void WindowFrame::OnFadeTick(WindowActions& out) {
  // A tick already queued when the timer stopped changes nothing.
  if (startupFadeDone) return;
  const FadeDecision decision = startupFade.OnTick(visible, hideAtStart);
  if (decision.hideAndCenter) out.Add(ActionKind::kHideAndCenter);
  if (decision.applyAlpha) {
    WindowAction alpha{ActionKind::kSetAlpha};
    alpha.value = decision.alpha;
    out.Push(alpha);
  }
  startupFadeDone = decision.stopTimer;
}

void WindowFrame::OnCountdownTick(WindowActions& out) {
  if (displayCountdown > 0 && --displayCountdown == 0) out.Add(ActionKind::kRepaintWindow);
  fades.CountdownTick();
}

WindowActions WindowFrame::OnPointerMove(int x, int y) {
  WindowActions out;
  tabs.PointerOver(tabs.TabAt(x, y), out);
  tooltips.PointerAt(x, y, currentTab == kMacroPage, out);
  SyncTimers(out);
  return out;
}

WindowActions WindowFrame::OnPointerLeave() {
  WindowActions out;
  tabs.PointerOver(-1, out);
  tooltips.PointerAt(-1, -1, false, out);
  SyncTimers(out);
  return out;
}

WindowActions WindowFrame::OnLeftButtonDown(int x, int y) {
  const int tab = tabs.TabAt(x, y);
  return tab >= 0 ? OnTabClick(tab) : WindowActions{};
}

WindowActions WindowFrame::OnTabClick(int tab) {
  WindowActions out;
  if (operationBusy || recording || operation.ResetRunning() || tab < 0 || tab >= kTabCount) return out;
  fades.ClearButtonHighlight();
  if (tab != currentTab) {
    ShowPageControls(tab, out);
    if (tab != kMacroPage) displayCountdown = 0;
    currentTab = tab;
    tabs.PageChanged();
    out.Add(ActionKind::kSetControlsChanged);
    out.Add(ActionKind::kRepaintWindow);
  }
  SyncTimers(out);
  return out;
}

void WindowFrame::ShowPageControls(int page, WindowActions& out) const {
  for (int id : AllPageControls()) out.AddWithId(ActionKind::kHideControl, id);
  for (int id : PageControls(page)) out.AddWithId(ActionKind::kShowControl, id);
}

WindowActions WindowFrame::OnControlFocusChanged() {
  WindowActions out;
  out.Add(ActionKind::kSetControlsChanged);
  focusRedrawCountdown = kFocusRedrawTicks;
  out.Add(ActionKind::kRepaintWindow);
  SyncTimers(out);
  return out;
}

WindowActions WindowFrame::OnMoving() {
  WindowActions out;
  for (int id : {kControlClear, kControlEnable, kControlMinimise, kControlClose}) {
    out.AddWithId(ActionKind::kRepaintControl, id);
  }
  if (currentTab == kButtonPage) {
    for (int id : kFunctionListIds) out.AddWithId(ActionKind::kRepaintControl, id);
  }
  return out;
}

WindowActions WindowFrame::OnCommand(int id) {
  WindowActions out;
  switch (id) {
    case kControlMinimise:
      out.Add(ActionKind::kMinimizeWindow);
      break;
    case kControlClose:
      out.Add(ActionKind::kHideWindow);
      break;
    case kControlBackup:
      operation.Request(DeviceOperation::kBackup, out);
      break;
    case kControlRestore:
      operation.Request(DeviceOperation::kRestore, out);
      break;
    case kControlReset:
      operation.Request(DeviceOperation::kReset, out);
      break;
    default:
      break;  // OK among them: Enter does not close the window
  }
  return out;
}

WindowActions WindowFrame::OnCancel(bool exitAllowed) {
  WindowActions out;
  if (exitAllowed) out.Add(ActionKind::kEndWindow);
  return out;
}

WindowActions WindowFrame::OnShowRequest() {
  WindowActions out;
  out.Add(ActionKind::kShowWindow);
  out.Add(ActionKind::kBringToFront);
  return out;
}

WindowActions WindowFrame::OnQuestionAnswered(bool yes) {
  WindowActions out;
  operation.Answer(yes, out);
  return out;
}

WindowActions WindowFrame::OnFileChosen(const std::u16string& file) {
  WindowActions out;
  operation.FileChosen(file, out);
  return out;
}

WindowActions WindowFrame::OnOperationStatus(const device::StatusTextSlot& slot) {
  WindowActions out;
  operation.Status(slot, out);
  return out;
}

WindowActions WindowFrame::OnOperationProgress(double fraction) {
  WindowActions out;
  operation.Progress(fraction, out);
  return out;
}

WindowActions WindowFrame::OnOperationSecondLine(const std::u16string& text) {
  WindowActions out;
  operation.SecondLine(text, out);
  return out;
}

WindowActions WindowFrame::OnOperationEnded(const OperationOutcome& outcome) {
  WindowActions out;
  operation.Ended(outcome, ShowsLevelControls(currentTab), out);
  return out;
}

WindowActions WindowFrame::SetButtonHighlight(bool shown, const RectI& area) {
  WindowActions out;
  fades.SetButtonHighlight(shown, area);
  SyncTimers(out);
  return out;
}

WindowActions WindowFrame::HoldHoverPanel(int seconds) {
  WindowActions out;
  fades.HoldHoverPanel(seconds);
  SyncTimers(out);
  return out;
}

WindowActions WindowFrame::StartDisplayCountdown(int seconds) {
  WindowActions out;
  displayCountdown = std::max(seconds, 0);
  SyncTimers(out);
  return out;
}

void WindowFrame::SyncTimers(WindowActions& out) {
  if (!visible) fades.Settle();
  SyncTimer(kFadeTimer, kFadePeriodMs, visible && !startupFadeDone, out);
  SyncTimer(kCountdownTimer, kCountdownPeriodMs, displayCountdown > 0 || fades.Counting(), out);
  SyncTimer(kFocusRedrawTimer, kFocusRedrawPeriodMs, visible && focusRedrawCountdown > 0, out);
  SyncTimer(TabHighlight::kTimerId, TabHighlight::kPeriodMs, visible && tabs.Pulsing(currentTab), out);
  SyncTimer(InWindowFades::kTimerId, InWindowFades::kPeriodMs, visible && fades.Moving(), out);
  SyncTimer(Tooltips::kTimerId, Tooltips::kPeriodMs, visible && tooltips.Due(), out);
}

void WindowFrame::SyncTimer(int id, int periodMs, bool wanted, WindowActions& out) {
  const bool running = runningTimers.count(id) > 0;
  if (wanted && !running) {
    out.StartTimer(id, periodMs);
    runningTimers.insert(id);
  } else if (!wanted && running) {
    out.AddWithId(ActionKind::kStopTimer, id);
    runningTimers.erase(id);
  }
}
