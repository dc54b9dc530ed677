#include "ui/TabStripPainter.h"

namespace {

// The caption's engraving, one pixel below and right of the caption.
constexpr Rgba kCaptionShadow{55, 55, 55, 255};

}  // namespace

std::vector<PointF> CutCornerOutline(const RectI& rect) {
  const float left = static_cast<float>(rect.x);
  const float top = static_cast<float>(rect.y);
  const float right = static_cast<float>(rect.x + rect.width);
  const float bottom = static_cast<float>(rect.y + rect.height);
  return {{left, top + 2},     {left + 1, top + 1},     {left + 2, top},         {right - 2, top},
          {right - 1, top + 1}, {right, top + 2},       {right, bottom - 2},     {right - 1, bottom - 1},
          {right - 2, bottom},  {left + 2, bottom},     {left + 1, bottom - 1},  {left, bottom - 2}};
}

void PaintTabStrip(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas) {
  const RgbColor& bar = layout.style.functionBarColor;
  const Rgba barColour{bar.red, bar.green, bar.blue, snapshot.functionBarAlpha};
  for (int n = 0; n < kTabCount; ++n) {
    const TabItem& tab = layout.tabs[static_cast<size_t>(n)];
    if (n == snapshot.page) {
      canvas.DrawImage(tab.imageId, tab.rect.x, tab.rect.y);
    } else if (n == snapshot.hoverTab) {
      if (layout.style.functionBarRound != 0) {
        canvas.FillPolygon(CutCornerOutline(tab.rect), barColour);
      } else {
        canvas.FillRect(tab.rect, barColour);
      }
    }
    TextStyle text;
    text.font = tab.font;
    text.horizontal = TextAlign::Center;
    text.vertical = TextAlign::Center;
    RectI place = tab.rect;
    place.y += tab.shift;
    text.color = kCaptionShadow;
    canvas.DrawText(tab.caption, {place.x + 1, place.y + 1, place.width, place.height}, text);
    text.color = {tab.captionColour.red, tab.captionColour.green, tab.captionColour.blue, 255};
    canvas.DrawText(tab.caption, place, text);
  }
}
