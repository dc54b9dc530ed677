#pragma once
// The "DPI & Tools" page: the four levels' X and Y steps, the level shown,
// the two sliders and the box that ties Y to X, and when the mouse hears of
// a change. Slider moves only restart two timers, so however long a drag
// lasts the mouse receives one level write 300 ms after the last movement
// and one commit 1 s after it. Events in, effects out; the dialog applies
// the effects in order.
#include <array>
#include <vector>

#include "app/UiText.h"
#include "ui/Canvas.h"

struct DpiSteps {
  int x = 0;
  int y = 0;
  bool operator==(const DpiSteps& other) const { return x == other.x && y == other.y; }
};

using DpiLevelTable = std::array<DpiSteps, 4>;

enum class DpiEffectKind {
  kSetSlidersQuietly,  // x, y: the sliders show these steps, telling nobody
  kSetSliderRange,     // top: both sliders span 1 .. top
  kEnableControls,     // on: sliders, tie box and level pictures
  kEnableYSlider,      // on
  kStartTimer,         // id, periodMs (restarts a running one)
  kStopTimer,          // id
  kRepaint,
  kStoreLevels,        // the table and the current level changed
  kWriteLevel,         // level, x, y
  kSelectLevel,        // level
  kCommit,
};

struct DpiEffect {
  DpiEffectKind kind;
  int level = 0;
  int x = 0;
  int y = 0;
  int id = 0;
  int periodMs = 0;
  int top = 0;
  bool on = false;
};

using DpiEffects = std::vector<DpiEffect>;

class DpiPage {
 public:
  static constexpr int kLevelCount = 4;
  static constexpr int kSendTimer = 133;
  static constexpr int kSendMs = 300;
  static constexpr int kCommitTimer = 99;
  static constexpr int kCommitMs = 1000;
  static constexpr int kResyncTimer = 201;
  static constexpr int kResyncMs = 80;
  static constexpr int kStandardTopStep = 50;

  // The level buttons, left to right, where a click selects a level.
  static RectI LevelButtonRect(int level);
  // The level under (x, y), or -1.
  static int LevelAt(int x, int y);

  // A mouse was set up (or its levels read again): its resolution per step,
  // its top step, its levels and the level it is on.
  DpiEffects OnMouseReady(int dpiUnit, int topStep, const DpiLevelTable& levels, int current, bool tieChecked);
  // No mouse: nothing to edit, nothing shown in resolutions.
  DpiEffects OnMouseGone();

  // A slider reported its position (message 11882); both positions as read now.
  DpiEffects OnSliderMoved(bool fromX, int xPosition, int yPosition);
  DpiEffects OnTieToggled(bool checked);
  // A click on the page; selects the level under it while a mouse is there.
  DpiEffects OnClick(int x, int y, bool busy);
  // The send, commit and resynchronisation timers.
  DpiEffects OnTimer(int id);
  // The mouse changed its level with its own keys: the page follows once
  // the resynchronisation timer fires, unless a device operation runs then.
  DpiEffects Resynchronise(const DpiLevelTable& levels, int current, bool busy, bool pageShowing);

  // Label slots 4 and 5 from their templates, with the current level's resolutions.
  void FormatLabels(UiText& texts) const;

  const DpiLevelTable& Levels() const { return levels; }
  int CurrentLevel() const { return current; }
  int DpiUnit() const { return dpiUnit; }
  bool MouseReady() const { return ready; }
  bool Tied() const { return tied; }
  bool LevelChangePending() const { return changePending; }

 private:
  DpiEffects ShowCurrent() const;
  void FlushPendingWrite(DpiEffects& out);

  DpiLevelTable levels{};
  int current = 0;
  int dpiUnit = 100;
  int topStep = kStandardTopStep;
  bool ready = false;
  bool tied = true;
  bool sendDue = false;        // the send timer has a write to make
  bool changePending = false;  // the commit timer has a commit to make
};
