#include "app/DpiPage.h"

#include <algorithm>

#include "ui/SkinLayout.h"

namespace {

constexpr int kLabelSlotX = 4;
constexpr int kLabelSlotY = 5;

DpiEffect Effect(DpiEffectKind kind) { return DpiEffect{kind}; }

DpiEffect Timer(DpiEffectKind kind, int id, int periodMs) {
  DpiEffect effect{kind};
  effect.id = id;
  effect.periodMs = periodMs;
  return effect;
}

DpiEffect Switch(DpiEffectKind kind, bool on) {
  DpiEffect effect{kind};
  effect.on = on;
  return effect;
}

DpiEffect Level(DpiEffectKind kind, int level, DpiSteps steps = {}) {
  DpiEffect effect{kind};
  effect.level = level;
  effect.x = steps.x;
  effect.y = steps.y;
  return effect;
}

}  // namespace

RectI DpiPage::LevelButtonRect(int level) { return ::LevelButtonRect(level); }

int DpiPage::LevelAt(int x, int y) { return LevelButtonAt(x, y); }

DpiEffects DpiPage::OnMouseReady(int unit, int top, const DpiLevelTable& table, int level, bool tieChecked) {
  ready = true;
  dpiUnit = unit;
  topStep = std::max(top, 1);
  levels = table;
  current = std::clamp(level, 0, kLevelCount - 1);
  tied = tieChecked;
  DpiEffects out;
  DpiEffect range{DpiEffectKind::kSetSliderRange};
  range.top = topStep;
  out.push_back(range);
  out.push_back(Switch(DpiEffectKind::kEnableControls, true));
  out.push_back(Switch(DpiEffectKind::kEnableYSlider, !tied));
  const DpiEffects shown = ShowCurrent();
  out.insert(out.end(), shown.begin(), shown.end());
  out.push_back(Effect(DpiEffectKind::kRepaint));
  return out;
}

DpiEffects DpiPage::OnMouseGone() {
  ready = false;
  dpiUnit = 0;
  sendDue = false;
  changePending = false;
  return {Switch(DpiEffectKind::kEnableControls, false), Timer(DpiEffectKind::kStopTimer, kSendTimer, 0),
          Timer(DpiEffectKind::kStopTimer, kCommitTimer, 0), Effect(DpiEffectKind::kRepaint)};
}

DpiEffects DpiPage::OnSliderMoved(bool fromX, int xPosition, int yPosition) {
  DpiEffects out;
  if (!ready) return out;
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
    out.push_back(Level(DpiEffectKind::kSetSlidersQuietly, current, moved));
  }
  if (moved == steps) return out;
  steps = moved;
  sendDue = true;
  changePending = true;
  out.push_back(Effect(DpiEffectKind::kStoreLevels));
  out.push_back(Timer(DpiEffectKind::kStartTimer, kSendTimer, kSendMs));
  out.push_back(Timer(DpiEffectKind::kStartTimer, kCommitTimer, kCommitMs));
  out.push_back(Effect(DpiEffectKind::kRepaint));
  return out;
}

DpiEffects DpiPage::OnTieToggled(bool checked) {
  tied = checked;
  DpiEffects out{Switch(DpiEffectKind::kEnableYSlider, !checked)};
  if (!checked || !ready) return out;
  const DpiSteps& steps = levels[static_cast<size_t>(current)];
  const DpiEffects moved = OnSliderMoved(true, steps.x, steps.y);
  out.insert(out.end(), moved.begin(), moved.end());
  return out;
}

DpiEffects DpiPage::OnClick(int x, int y, bool busy) {
  DpiEffects out;
  const int level = LevelAt(x, y);
  if (!ready || busy || level < 0) return out;
  FlushPendingWrite(out);
  current = level;
  out.push_back(Level(DpiEffectKind::kSelectLevel, level));
  out.push_back(Effect(DpiEffectKind::kStoreLevels));
  const DpiEffects shown = ShowCurrent();
  out.insert(out.end(), shown.begin(), shown.end());
  out.push_back(Effect(DpiEffectKind::kRepaint));
  return out;
}

DpiEffects DpiPage::OnTimer(int id) {
  DpiEffects out;
  if (id == kSendTimer) {
    out.push_back(Timer(DpiEffectKind::kStopTimer, kSendTimer, 0));
    if (ready && sendDue) FlushPendingWrite(out);
  } else if (id == kCommitTimer) {
    out.push_back(Timer(DpiEffectKind::kStopTimer, kCommitTimer, 0));
    if (ready && changePending) out.push_back(Effect(DpiEffectKind::kCommit));
    changePending = false;
  }
  return out;
}

DpiEffects DpiPage::Resynchronise(const DpiLevelTable& table, int level, bool busy, bool pageShowing) {
  DpiEffects out{Timer(DpiEffectKind::kStopTimer, kResyncTimer, 0)};
  if (!ready) return out;
  if (busy) {
    // An arrival or a restore is rewriting the levels: look again shortly.
    out.push_back(Timer(DpiEffectKind::kStartTimer, kResyncTimer, kResyncMs));
    return out;
  }
  FlushPendingWrite(out);
  levels = table;
  current = std::clamp(level, 0, kLevelCount - 1);
  const DpiEffects shown = ShowCurrent();
  out.insert(out.end(), shown.begin(), shown.end());
  if (pageShowing) out.push_back(Effect(DpiEffectKind::kRepaint));
  return out;
}

void DpiPage::FormatLabels(UiText& texts) const {
  const DpiSteps& steps = levels[static_cast<size_t>(current)];
  texts.labels[kLabelSlotX].text = FormatDpiLabel(texts.dpiTemplateX, steps.x * dpiUnit);
  texts.labels[kLabelSlotY].text = FormatDpiLabel(texts.dpiTemplateY, steps.y * dpiUnit);
}

DpiEffects DpiPage::ShowCurrent() const {
  return {Level(DpiEffectKind::kSetSlidersQuietly, current, levels[static_cast<size_t>(current)])};
}

// A level whose write is still waiting for its timer is written before the
// page moves to another level, or the timer would write the other level's
// steps and the change would be lost.
void DpiPage::FlushPendingWrite(DpiEffects& out) {
  if (!sendDue) return;
  sendDue = false;
  out.push_back(Timer(DpiEffectKind::kStopTimer, kSendTimer, 0));
  out.push_back(Level(DpiEffectKind::kWriteLevel, current, levels[static_cast<size_t>(current)]));
  // The level the mouse is on takes new steps only when selected again.
  out.push_back(Level(DpiEffectKind::kSelectLevel, current));
}
