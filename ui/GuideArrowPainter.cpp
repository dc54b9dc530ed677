#include "ui/GuideArrowPainter.h"

#include "ui/MacroLayout.h"

void PaintGuideArrows(const PaintSnapshot& snapshot, Canvas& canvas) {
  const MacroPageView& view = snapshot.macroPage;
  PenStyle pen;
  pen.color = {205, 152, 50, view.guideAlpha};
  pen.width = 13;
  pen.startCap = LineCap::Flat;
  pen.endCap = LineCap::ArrowAnchor;
  for (const GuideArrow& arrow : GuideArrowsOf(snapshot.page, view.guideStep)) canvas.DrawLine(arrow.from, arrow.to, pen);
}
