#include "ui/ResolutionPagePainter.h"

#include "base/TemplateFormatter.h"
#include "ui/SkinLayout.h"

namespace {

// Each level button's state images: normal, hover, pressed, disabled.
constexpr std::array<std::array<int, 4>, kLevelButtons> kLevelButtonImages = {
    {{159, 158, 160, 157}, {167, 168, 169, 166}, {171, 172, 173, 170}, {174, 175, 176, 177}}};
constexpr int kNormalSlot = 0;
constexpr int kPressedSlot = 2;
constexpr std::array<int, kLevelButtons> kLevelPictures = {163, 164, 165, 162};
// The callout turns up to the picture left of the mouse's picture.
constexpr float kCalloutTurnX = 430;
constexpr float kCalloutRunY = 242;
constexpr int kLabelFont = 4;

PenStyle Pen(Rgba colour, float width) {
  PenStyle pen;
  pen.color = colour;
  pen.width = width;
  return pen;
}

}  // namespace

std::vector<PointF> LevelCallout(int level) {
  const RectI label = LevelLabelRect(level);
  const RectI picture = LevelPictureRect();
  // It meets the picture at its left edge, half way down.
  const float pictureMiddle = static_cast<float>(picture.y) + static_cast<float>(picture.height) / 2;
  const float middle = static_cast<float>(label.x) + static_cast<float>(label.width) / 2;
  const auto bottom = static_cast<float>(label.y + label.height);
  return {{middle, bottom},
          {middle, kCalloutRunY},
          {kCalloutTurnX, kCalloutRunY},
          {kCalloutTurnX, pictureMiddle},
          {static_cast<float>(picture.x), pictureMiddle}};
}

void PaintResolutionLevels(const PaintSnapshot& snapshot, Canvas& canvas) {
  const ResolutionLevels& shown = snapshot.resolution;
  const RectI picture = LevelPictureRect();
  for (int level = 0; level < kLevelButtons; ++level) {
    const auto k = static_cast<size_t>(level);
    const RectI button = LevelButtonRect(level);
    if (shown.mouseConnected && level == shown.current) {
      // Three strokes, wide and faint to narrow and bright: a soft glow.
      const std::vector<PointF> callout = LevelCallout(level);
      canvas.DrawPolyline(callout, Pen({32, 32, 32, 0x30}, 6));
      canvas.DrawPolyline(callout, Pen({64, 64, 64, 0x80}, 3));
      canvas.DrawPolyline(callout, Pen({168, 168, 168, 0xC8}, 1));
      canvas.DrawImage(kLevelButtonImages[k][kPressedSlot], button.x, button.y);
      canvas.DrawImage(kLevelPictures[k], picture.x, picture.y);
    } else {
      canvas.DrawImage(kLevelButtonImages[k][kNormalSlot], button.x, button.y);
    }
    TextStyle style;
    style.font = kLabelFont;
    style.color = {255, 255, 255, 255};
    style.horizontal = TextAlign::Center;
    style.vertical = TextAlign::Center;
    const std::u16string label = text::FormatTemplate(
        u"X:%d\r\nY:%d", {text::TemplateArg::Int(shown.dpi[k][0]), text::TemplateArg::Int(shown.dpi[k][1])});
    canvas.DrawText(label, LevelLabelRect(level), style);
  }
}
