#include "ui/ButtonPagePainter.h"

#include <algorithm>

#include "ui/SkinLayout.h"

namespace {

constexpr int kProfileFont = 4;
constexpr int kSquare = 12;

PenStyle Pen(Rgba color) {
  PenStyle pen;
  pen.color = color;
  return pen;
}

void PaintProfiles(const ButtonPageView& view, Canvas& canvas) {
  for (int row = 0; row < std::min(view.profileCount, kProfileRows); ++row) {
    const auto index = static_cast<std::size_t>(row);
    const PointF at = SoftwareProfileRowOrigin(row);
    const int x = static_cast<int>(at.x);
    const int y = static_cast<int>(at.y);
    const bool current = row == view.currentProfile;
    canvas.FillRect({x, y + 2, kSquare, kSquare}, StoredColour(view.profileColours[index]));
    canvas.DrawRect({x - 1, y + 1, kSquare + 1, kSquare + 1},
                    Pen(current ? Rgba{255, 255, 255, 255} : Rgba{90, 90, 90, 255}));
    TextStyle style;
    style.font = kProfileFont;
    style.color = current ? Rgba{255, 255, 255, 255} : Rgba{150, 150, 150, 255};
    canvas.DrawText(view.profileNames[index], {x + kSquare + 5, y, 0, 0}, style);
  }
  if (view.currentProfile < 0) return;
  const RectI& swatch = kProfileColourSwatch;
  canvas.FillRect(swatch, StoredColour(view.profileColours[static_cast<std::size_t>(view.currentProfile)]));
  canvas.DrawRect({swatch.x - 1, swatch.y - 1, swatch.width + 1, swatch.height + 1}, Pen({255, 255, 255, 200}));
}

void PaintPalette(const ButtonPageView& view, Canvas& canvas) {
  const std::uint8_t alpha = view.paletteAlpha;
  canvas.FillRect(kPalettePanel, {22, 22, 22, static_cast<std::uint8_t>(std::max(alpha - 30, 0))});
  const int current =
      view.currentProfile < 0 ? -1 : SwatchOf(view.profileColours[static_cast<std::size_t>(view.currentProfile)]);
  for (int n = 0; n < kPaletteSwatches; ++n) {
    const RectI frame = PaletteSwatchFrame(n);
    const std::array<int, 3> levels = SwatchLevels(n);
    const Rgba colour{LevelComponent(levels[0]), LevelComponent(levels[1]), LevelComponent(levels[2]), alpha};
    // The current colour's swatch is framed white and filled to its frame.
    if (n == current) {
      canvas.DrawRect(frame, Pen({255, 255, 255, alpha}));
      canvas.FillRect({frame.x + 1, frame.y + 1, frame.width - 2, frame.height - 2}, colour);
    } else {
      canvas.DrawRect(frame, Pen({55, 55, 55, alpha}));
      canvas.FillRect({frame.x + 2, frame.y + 2, frame.width - 4, frame.height - 4}, colour);
    }
  }
}

}  // namespace

void PaintButtonPageContents(const PaintSnapshot& snapshot, Canvas& canvas) {
  const ButtonPageView& view = snapshot.buttonPage;
  for (int b = 0; b < kMouseButtons; ++b) {
    const RectI badge = BadgeRect(b);
    // While a macro is dragged every badge lights as a drop target, and the
    // one under the drag is outlined.
    const bool lit = b == view.highlightedButton || view.dropTargetsLit || b == view.dropButton;
    canvas.DrawImage(BadgeImage(b, lit), badge.x, badge.y);
    if (b == view.dropButton) {
      canvas.DrawRect({badge.x - 2, badge.y - 2, badge.width + 3, badge.height + 3}, Pen({255, 255, 255, 0xC8}));
    }
    const RectI marker = MarkerRect(b);
    canvas.DrawImage(MarkerImage(b), marker.x, marker.y);
  }
  PaintProfiles(view, canvas);
  if (view.paletteAlpha > 0) PaintPalette(view, canvas);
}
