#include "ui/ButtonPagePainter.h"

#include <algorithm>

namespace {

// Plain and lit badge images of buttons 0 to 11.
constexpr int kBadges[12][2] = {{184, 194}, {185, 195}, {187, 197}, {188, 198}, {186, 196}, {189, 199},
                                {190, 200}, {191, 201}, {192, 202}, {183, 193}, {229, 231}, {230, 232}};
constexpr int kRowMarkers[10] = {130, 131, 145, 146, 144, 147, 156, 179, 180, 129};
// On the mouse picture, beside the button each marker names.
constexpr PointF kMarkerSpots[10] = {{596, 270}, {722, 270}, {633, 290}, {556, 366}, {556, 404},
                                     {684, 437}, {633, 250}, {688, 250}, {659, 204}, {659, 304}};
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
    const PointF at = ProfileRowPosition(row);
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
  canvas.FillRect({572, 166, 178, 70}, {22, 22, 22, static_cast<std::uint8_t>(std::max(alpha - 30, 0))});
  const int current =
      view.currentProfile < 0 ? -1 : SwatchOf(view.profileColours[static_cast<std::size_t>(view.currentProfile)]);
  for (int n = 0; n < kPaletteSwatches; ++n) {
    const PointF origin = SwatchOrigin(n);
    const int x = static_cast<int>(origin.x);
    const int y = static_cast<int>(origin.y);
    const std::array<int, 3> levels = SwatchLevels(n);
    const Rgba colour{LevelComponent(levels[0]), LevelComponent(levels[1]), LevelComponent(levels[2]), alpha};
    if (n == current) {
      canvas.DrawRect({x - 1, y - 1, 16, 16}, Pen({255, 255, 255, alpha}));
      canvas.FillRect({x, y, 14, 14}, colour);
    } else {
      canvas.DrawRect({x - 1, y - 1, 16, 16}, Pen({55, 55, 55, alpha}));
      canvas.FillRect({x + 1, y + 1, 12, 12}, colour);
    }
  }
}

}  // namespace

PointF BadgePosition(int button) { return {322, static_cast<float>(118 + 40 * button)}; }

PointF RowMarkerPosition(int button) { return kMarkerSpots[button]; }

PointF ProfileRowPosition(int row) {
  return {static_cast<float>(row < 4 ? 520 : 650), static_cast<float>(106 + 19 * (row % 4))};
}

void PaintButtonPageContents(const PaintSnapshot& snapshot, Canvas& canvas) {
  const ButtonPageView& view = snapshot.buttonPage;
  for (int b = 0; b < 12; ++b) {
    const PointF at = BadgePosition(b);
    canvas.DrawImage(kBadges[b][b == view.highlightedButton ? 1 : 0], static_cast<int>(at.x), static_cast<int>(at.y));
  }
  for (int b = 0; b < 10; ++b) {
    const PointF at = RowMarkerPosition(b);
    canvas.DrawImage(kRowMarkers[b], static_cast<int>(at.x), static_cast<int>(at.y));
  }
  PaintProfiles(view, canvas);
  if (view.paletteAlpha > 0) PaintPalette(view, canvas);
}
