#include "app/DpiPage.h"

#include <algorithm>

#include "base/DiagLog.h"
#include "ui/SkinLayout.h"

namespace {

constexpr int kLabelSlotX = 4;
constexpr int kLabelSlotY = 5;

MouseRequest LevelRequest(MouseRequest::Kind kind, int level, DpiSteps steps = {}) {
  MouseRequest request;
  request.kind = kind;
  request.level = level;
  request.x = steps.x;
  request.y = steps.y;
  return request;
}

void Enable(int id, bool on, WindowActions& out) {
  out.AddWithId(on ? ActionKind::kEnableControl : ActionKind::kDisableControl, id);
}

}  // namespace

int DpiPage::LevelAt(int x, int y) { return LevelButtonAt(x, y); }

void DpiPage::OnMouseReady(int unit, int top, const DpiLevelTable& table, int level, WindowActions& out) {
  ready = true;
  dpiUnit = unit;
  topStep = std::max(top, 1);
  levels = table;
  current = std::clamp(level, 0, kLevelCount - 1);
  if (std::any_of(levels.begin(), levels.end(), [](const DpiSteps& s) { return s.x != s.y; })) tied = false;
  WindowAction range{ActionKind::kSetSliderRange};
  range.value = topStep;
  out.Push(range);
  EnableControls(true, out);
  WindowAction tie{ActionKind::kCheckControl};
  tie.id = kControlTieBox;
  tie.on = tied;
  out.Push(tie);
  ShowCurrent(out);
  out.Add(ActionKind::kRepaintWindow);
}

void DpiPage::OnMouseGone(WindowActions& out) {
  ready = false;
  dpiUnit = 0;
  sendDue = false;
  changePending = false;
  EnableControls(false, out);
  out.AddWithId(ActionKind::kStopTimer, timers::kLevelSend.id);
  out.AddWithId(ActionKind::kStopTimer, timers::kLevelCommit.id);
  out.Add(ActionKind::kRepaintWindow);
}

void DpiPage::EnableControls(bool on, WindowActions& out) const {
  Enable(kControlSliderX, on, out);
  Enable(kControlSliderY, on && !tied, out);
  Enable(kControlTieBox, on, out);
  diag::Write(on ? "DPI controls enabled" : "DPI controls disabled");
}

void DpiPage::OnSliderMoved(bool fromX, int xPosition, int yPosition, WindowActions& out) {
  if (!ready) return;
  DpiSteps& steps = levels[static_cast<size_t>(current)];
  DpiSteps moved{std::clamp(xPosition, 1, topStep), std::clamp(yPosition, 1, topStep)};
  // With the box ticked Y follows X; the Y slider is moved quietly, so one
  // move of X is one change, not two.
  if (tied && moved.y != moved.x) {
    if (fromX) {
      moved.y = moved.x;
    } else {
      moved.x = moved.y;
    }
    WindowAction sliders{ActionKind::kSetSliders};
    sliders.x = moved.x;
    sliders.y = moved.y;
    out.Push(sliders);
  }
  if (moved == steps) return;
  steps = moved;
  sendDue = true;
  changePending = true;
  levelsChanged = true;
  out.StartTimer(timers::kLevelSend.id, timers::kLevelSend.periodMs);
  out.StartTimer(timers::kLevelCommit.id, timers::kLevelCommit.periodMs);
  out.Add(ActionKind::kRepaintWindow);
}

void DpiPage::OnTieToggled(bool checked, WindowActions& out) {
  tied = checked;
  Enable(kControlSliderY, ready && !checked, out);
  if (!checked || !ready) return;
  const DpiSteps& steps = levels[static_cast<size_t>(current)];
  OnSliderMoved(true, steps.x, steps.y, out);
}

void DpiPage::OnClick(int x, int y, bool busy, WindowActions& out) {
  const int level = LevelAt(x, y);
  if (!ready || busy || level < 0) return;
  FlushPendingWrite(out);
  current = level;
  levelsChanged = true;
  out.Request(LevelRequest(MouseRequest::Kind::kSelectLevel, level));
  ShowCurrent(out);
  out.Add(ActionKind::kRepaintWindow);
}

void DpiPage::OnTimer(int id, WindowActions& out) {
  if (id == timers::kLevelSend.id) {
    out.AddWithId(ActionKind::kStopTimer, id);
    if (ready && sendDue) FlushPendingWrite(out);
  } else if (id == timers::kLevelCommit.id) {
    out.AddWithId(ActionKind::kStopTimer, id);
    if (ready && changePending) out.Request(LevelRequest(MouseRequest::Kind::kCommit, current));
    changePending = false;
  }
}

void DpiPage::OnLevelChangedOnMouse(int level, bool pageShowing, WindowActions& out) {
  out.StartTimer(timers::kLevelResync.id, timers::kLevelResync.periodMs);
  const int reported = std::clamp(level, 0, kLevelCount - 1);
  if (!ready || reported == current) return;
  FlushPendingWrite(out);
  current = reported;
  ShowCurrent(out);
  if (pageShowing) out.Add(ActionKind::kRepaintWindow);
}

void DpiPage::Resynchronise(const DpiLevelTable& table, int level, bool busy, bool pageShowing,
                            WindowActions& out) {
  out.AddWithId(ActionKind::kStopTimer, timers::kLevelResync.id);
  if (!ready) return;
  if (busy) {
    // An arrival or a restore is rewriting the levels: look again shortly.
    out.StartTimer(timers::kLevelResync.id, timers::kLevelResync.periodMs);
    return;
  }
  FlushPendingWrite(out);
  levels = table;
  current = std::clamp(level, 0, kLevelCount - 1);
  ShowCurrent(out);
  if (pageShowing) out.Add(ActionKind::kRepaintWindow);
}

void DpiPage::FormatLabels(UiText& texts) const {
  const DpiSteps& steps = levels[static_cast<size_t>(current)];
  texts.labels[kLabelSlotX].text = FormatDpiLabel(texts.dpiTemplateX, steps.x * dpiUnit);
  texts.labels[kLabelSlotY].text = FormatDpiLabel(texts.dpiTemplateY, steps.y * dpiUnit);
}

bool DpiPage::TakeLevelsChanged() {
  const bool changed = levelsChanged;
  levelsChanged = false;
  return changed;
}

void DpiPage::ShowCurrent(WindowActions& out) const {
  WindowAction sliders{ActionKind::kSetSliders};
  sliders.x = levels[static_cast<size_t>(current)].x;
  sliders.y = levels[static_cast<size_t>(current)].y;
  out.Push(sliders);
  diag::Writef("level steps shown: %d, %d", sliders.x, sliders.y);
}

// A level whose write is still waiting for its timer is written before the
// page moves to another level, or the timer would write the other level's
// steps and the change would be lost.
void DpiPage::FlushPendingWrite(WindowActions& out) {
  if (!sendDue) return;
  sendDue = false;
  out.AddWithId(ActionKind::kStopTimer, timers::kLevelSend.id);
  out.Request(LevelRequest(MouseRequest::Kind::kWriteLevel, current, levels[static_cast<size_t>(current)]));
  // The level the mouse is on takes new steps only when selected again.
  out.Request(LevelRequest(MouseRequest::Kind::kSelectLevel, current));
}
