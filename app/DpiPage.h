#pragma once
// The "DPI & Tools" page: the four levels' X and Y steps, the level shown,
// the two sliders and the box that ties Y to X, and when the mouse hears of
// a change. Slider moves only restart two timers, so however long a drag
// lasts the mouse receives one level write 300 ms after the last movement
// and one commit 1 s after it. Events in, window actions out.
#include "app/DpiLevelTable.h"
#include "app/UiText.h"
#include "app/WindowAction.h"
#include "app/WindowTimers.h"

class DpiPage {
 public:
  static constexpr int kLevelCount = 4;
  static constexpr int kStandardTopStep = 50;

  // The level button under (x, y), or -1.
  static int LevelAt(int x, int y);

  // A mouse was set up (or its levels read again): its resolution per step,
  // its top step, its levels and the level it is on. Levels whose axes
  // differ untie the box.
  void OnMouseReady(int dpiUnit, int topStep, const DpiLevelTable& levels, int current, WindowActions& out);
  // No mouse: nothing to edit, nothing shown in resolutions.
  void OnMouseGone(WindowActions& out);

  // A slider reported its position (message 11882); both positions as read now.
  void OnSliderMoved(bool fromX, int xPosition, int yPosition, WindowActions& out);
  void OnTieToggled(bool checked, WindowActions& out);
  // A click on the page; selects the level under it while a mouse is there.
  void OnClick(int x, int y, bool busy, WindowActions& out);
  // The send and commit timers.
  void OnTimer(int id, WindowActions& out);
  // The mouse changed its level with its own keys: the level shown follows
  // at once, the steps once the resynchronisation timer fires.
  void OnLevelChangedOnMouse(int level, bool pageShowing, WindowActions& out);
  // The resynchronisation timer, or the levels read again for a hidden
  // window; waits while a device operation runs.
  void Resynchronise(const DpiLevelTable& levels, int current, bool busy, bool pageShowing, WindowActions& out);

  // Label slots 4 and 5 from their templates, with the current level's resolutions.
  void FormatLabels(UiText& texts) const;

  // True once after the steps or the current level changed here, so that
  // the mouse's record and the profiles keep them.
  bool TakeLevelsChanged();

  const DpiLevelTable& Levels() const { return levels; }
  int CurrentLevel() const { return current; }
  int DpiUnit() const { return dpiUnit; }
  bool MouseReady() const { return ready; }
  bool Tied() const { return tied; }
  bool LevelChangePending() const { return changePending; }

 private:
  void ShowCurrent(WindowActions& out) const;
  void EnableControls(bool on, WindowActions& out) const;
  void FlushPendingWrite(WindowActions& out);

  DpiLevelTable levels{};
  int current = 0;
  int dpiUnit = 100;
  int topStep = kStandardTopStep;
  bool ready = false;
  bool tied = false;  // as the dialog's box starts
  bool sendDue = false;        // the send timer has a write to make
  bool changePending = false;  // the commit timer has a commit to make
  bool levelsChanged = false;
};
