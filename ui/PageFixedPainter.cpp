#include "ui/PageFixedPainter.h"

void PaintPageFixedParts(const PaintSnapshot& snapshot, const SkinLayout&, Canvas& canvas) {
  const PageFixedParts& parts = PageFixedPartsOf(snapshot.page);
  for (const PlacedImage& picture : parts.pictures) canvas.DrawImage(picture.imageId, picture.x, picture.y);
  for (const FixedLine& line : parts.separators) canvas.DrawLine(line.from, line.to, line.pen);
}
