#include "ui/BusyOverlayPainter.h"

#include <algorithm>

namespace {

constexpr Rgba kShade{0, 0, 0, 0xC8};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kBlack{0, 0, 0, 255};

PenStyle OutlinePen() {
  PenStyle pen;
  pen.color = {200, 200, 200, 0xF0};
  return pen;
}

// A centred text with its shadow one pixel below and right.
void ShadowedText(const std::u16string& text, const RectI& place, int font, Canvas& canvas) {
  TextStyle style;
  style.font = font;
  style.horizontal = TextAlign::Center;
  style.vertical = TextAlign::Center;
  style.color = kBlack;
  canvas.DrawText(text, {place.x + 1, place.y + 1, place.width, place.height}, style);
  style.color = kWhite;
  canvas.DrawText(text, place, style);
}

// The bar near the bottom of `box`, filled as far as `done` (0 to 1).
void PaintBar(const RectI& box, double progress, Canvas& canvas) {
  const RectI bar{box.x + 30, box.y + box.height - 36, box.width - 60, 12};
  canvas.DrawRect(bar, OutlinePen());
  const double done = std::clamp(progress, 0.0, 1.0);
  const int filled = static_cast<int>(done * (bar.width - 3));
  if (filled > 0) canvas.FillRect({bar.x + 2, bar.y + 2, filled, bar.height - 3}, OutlinePen().color);
}

void PaintPanel(const BusyOverlay& busy, int font, Canvas& canvas) {
  const RectI& panel = busy.rect;
  canvas.FillRect(panel, kShade);
  canvas.DrawRect(panel, OutlinePen());
  // Status text in the upper half, the second line and the bar below it.
  ShadowedText(busy.text, {panel.x, panel.y + 16, panel.width, 48}, font, canvas);
  if (!busy.secondLine.empty()) ShadowedText(busy.secondLine, {panel.x, panel.y + 64, panel.width, 24}, font, canvas);
  if (busy.progress) PaintBar(panel, *busy.progress, canvas);
}

}  // namespace

void PaintBusyOverlay(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas) {
  const int font = layout.style.macroStepFont;
  if (snapshot.busy.counter > 0) PaintPanel(snapshot.busy, font, canvas);
  if (snapshot.reorganising) {
    const RectI window = WindowRect(false);
    canvas.FillRect(window, kShade);
    const RectI box = ProgressPanelRect();
    canvas.DrawRect(box, OutlinePen());
    TextStyle style;
    style.font = font;
    style.horizontal = TextAlign::Center;
    style.vertical = TextAlign::Center;
    style.color = kWhite;
    canvas.DrawText(kReorganisingText, box, style);
    // The packing's progress, when it reports one, below the text.
    if (snapshot.busy.progress) PaintBar(box, *snapshot.busy.progress, canvas);
  }
}
