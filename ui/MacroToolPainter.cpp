#include "ui/MacroToolPainter.h"

#include <algorithm>

#include "ui/MacroLayout.h"

namespace {

constexpr Rgba kFrame{58, 65, 76, 255};
constexpr Rgba kFocusFrame{255, 255, 255, 255};
constexpr Rgba kLitBacking{77, 157, 224, 0x60};
constexpr Rgba kPanelShade{0, 0, 0, 0xC8};
constexpr Rgba kPanelOutline{200, 200, 200, 0xF0};

PenStyle Pen(Rgba colour) {
  PenStyle pen;
  pen.color = colour;
  return pen;
}

void PaintToolbox(const MacroPageView& view, int page, Canvas& canvas) {
  for (int item = 0; item < kToolboxItems; ++item) {
    const RectI place = ToolboxItemRect(page, item);
    if (place.width == 0) continue;
    const bool lit = item == view.litTool;
    if (lit) canvas.FillRoundRect({place.x - 2, place.y - 2, place.width + 4, place.height + 4}, 4, kLitBacking);
    canvas.DrawImage(ToolboxItemImage(page, item, lit), place.x, place.y);
  }
}

void PaintRecordIntervals(const PaintSnapshot& snapshot, Canvas& canvas) {
  const RectI box = RecordIntervalsBox();
  canvas.DrawImage(RecordIntervalsImage(snapshot.macroPage.recordIntervals), box.x, box.y);
  const LabelSlot& label = snapshot.textItems[kSlotRecordIntervals];
  TextStyle style;
  style.font = label.font;
  // Label colours are Windows colour references, 0x00BBGGRR.
  style.color = {static_cast<std::uint8_t>(label.color), static_cast<std::uint8_t>(label.color >> 8),
                 static_cast<std::uint8_t>(label.color >> 16), 255};
  style.vertical = TextAlign::Center;
  canvas.DrawText(label.text, RecordIntervalsLabelRect(), style);
}

void PaintCapturePrompt(const std::u16string& prompt, int font, Canvas& canvas) {
  const RectI panel = CapturePromptRect();
  canvas.FillRect(panel, kPanelShade);
  canvas.DrawRect(panel, Pen(kPanelOutline));
  TextStyle style;
  style.font = font;
  style.color = {255, 255, 255, 255};
  style.horizontal = TextAlign::Center;
  style.vertical = TextAlign::Center;
  canvas.DrawText(prompt, panel, style);
}

void PaintStoreProgress(double progress, Canvas& canvas) {
  const RectI bar = StoreProgressRect();
  canvas.DrawRect(bar, Pen(kPanelOutline));
  const int filled = static_cast<int>(std::clamp(progress, 0.0, 1.0) * (bar.width - 3));
  if (filled > 0) canvas.FillRect({bar.x + 2, bar.y + 2, filled, bar.height - 3}, kPanelOutline);
}

}  // namespace

void PaintPaneFrames(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas) {
  const MacroPageView& view = snapshot.macroPage;
  canvas.DrawRect(kLibraryPane, Pen(kFrame));
  if (snapshot.page == kMacroPage) canvas.DrawRect(kStepPane, Pen(view.editorFocused ? kFocusFrame : kFrame));
  PaintToolbox(view, snapshot.page, canvas);
  if (snapshot.page == kMacroPage) {
    PaintRecordIntervals(snapshot, canvas);
    if (!view.capturePrompt.empty()) PaintCapturePrompt(view.capturePrompt, layout.style.macroStepFont, canvas);
  }
  if (view.storeProgress) PaintStoreProgress(*view.storeProgress, canvas);
}
