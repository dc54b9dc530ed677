#pragma once
// The tooltips of the macro editor's toolbox: when the pointer has rested on
// item i for five ticks of 100 ms, a bubble with the item's tooltip text
// shows above it. The tick timer is wanted only while a bubble is due.
#include <array>
#include <functional>

#include "app/WindowAction.h"
#include "app/WindowTimers.h"

struct TextExtent {
  int width = 0;
  int height = 0;
};

// The bubble for a text of `text` size above the anchor point (x, y):
// centred on x, its top ten pixels plus the text's height above y, as wide as
// the text plus 54 pixels plus the skin's extra width, as high as the text
// plus 5 pixels.
RectI TooltipBubbleRect(int x, int y, TextExtent text, int extraWidth);

class Tooltips {
 public:
  static constexpr int kTimerId = timers::kTooltips.id;
  static constexpr int kPeriodMs = timers::kTooltips.periodMs;
  static constexpr int kItemCount = 7;
  static constexpr int kTicksToShow = 5;
  // Item 1 names this tooltip text while the editor is in mode 0.
  static constexpr int kNewFolderText = 10;

  using Measure = std::function<TextExtent(int textSlot)>;

  Tooltips(Measure measureText, int extraWidth) : measure(std::move(measureText)), extraWidth(extraWidth) {}

  // Where the toolbox items lie; their anchor is the middle of their top edge.
  void SetItems(const std::array<RectI, kItemCount>& areas) { items = areas; }
  // The pointer is at (x, y); `toolboxShown` is false off the macro page.
  void PointerAt(int x, int y, bool toolboxShown, WindowActions& out);
  void Tick(int editorMode, WindowActions& out);

  bool Due() const { return item >= 0 && !shown; }

  struct Bubble {
    bool shown = false;
    int textSlot = 0;
    RectI rect;
  };
  Bubble Current() const { return {shown, textSlot, bubble}; }

 private:
  void Leave(WindowActions& out);

  Measure measure;
  int extraWidth;
  std::array<RectI, kItemCount> items{};
  int item = -1;  // the item under the pointer
  int ticks = 0;
  bool shown = false;
  int textSlot = 0;
  RectI bubble;
};
