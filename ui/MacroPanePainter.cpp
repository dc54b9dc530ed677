#include "ui/MacroPanePainter.h"

#include <algorithm>
#include <string>

#include "base/Utf16.h"
#include "ui/MacroLayout.h"

namespace {

constexpr Rgba kPaneGrey{128, 136, 148, 0x14};
constexpr std::uint8_t kActiveShadow = 0xA4;
constexpr std::uint8_t kQuietShadow = 0x30;
constexpr Rgba kHighlight{77, 157, 224, 0x58};
constexpr Rgba kDropOutline{140, 196, 245, 0xC8};
constexpr Rgba kInsertionMark{210, 210, 210, 0xC8};
constexpr Rgba kGroupBoundary{160, 160, 160, 0x58};
constexpr Rgba kNameText{225, 230, 236, 255};
constexpr Rgba kGroupText{140, 196, 245, 255};
constexpr Rgba kMutedText{124, 134, 147, 255};
constexpr std::uint8_t kLibraryEngraving = 28;
constexpr std::uint8_t kStepEngraving = 0x30;

PenStyle Pen(Rgba colour, bool dashed = false) {
  PenStyle pen;
  pen.color = colour;
  pen.dashed = dashed;
  return pen;
}

constexpr int kAddressFont = 4;

TextStyle RowText(int font, Rgba colour, TextAlign horizontal = TextAlign::Near) {
  TextStyle style;
  style.font = font;
  style.color = colour;
  style.horizontal = horizontal;
  style.vertical = TextAlign::Center;
  return style;
}

// A pane's translucent backing with its shadow one pixel down and right.
void Backing(const RectI& pane, std::uint8_t shadowAlpha, Canvas& canvas) {
  canvas.FillRect({pane.x + 1, pane.y + 1, pane.width, pane.height}, {0, 0, 0, shadowAlpha});
  canvas.FillRect(pane, kPaneGrey);
}

// The selection fills its row but for a pixel above and three below, so
// the separators stay visible.
RectI Highlight(const RectI& row) { return {row.x, row.y + 1, row.width, row.height - 4}; }

// Below `row`: a dark line with a light one under it, as if cut in.
void Engraving(const RectI& row, std::uint8_t alpha, Canvas& canvas) {
  const float left = static_cast<float>(row.x + 4);
  const float right = static_cast<float>(row.x + row.width - 4);
  const float bottom = static_cast<float>(row.y + row.height);
  canvas.DrawLine({left, bottom - 1}, {right, bottom - 1}, Pen({0, 0, 0, alpha}));
  canvas.DrawLine({left, bottom}, {right, bottom}, Pen({160, 160, 160, alpha}));
}

void PaintLibraryRow(const MacroPageView& view, int rowInView, int font, Canvas& canvas) {
  const LibraryRowView& row = view.libraryRows[static_cast<std::size_t>(rowInView)];
  const RectI place = LibraryRowRect(rowInView);
  if (rowInView == view.librarySelected) canvas.FillRect(Highlight(place), kHighlight);
  if (rowInView == view.libraryDropRow) {
    canvas.DrawRect({place.x + 2, place.y + 1, place.width - 5, place.height - 4}, Pen(kDropOutline));
  }
  RectI name = LibraryNameRect(rowInView);
  if (row.group) {
    const RectI icon = FolderIconRect(rowInView);
    canvas.DrawImage(FolderIconImage(row.expanded), icon.x, icon.y);
    canvas.DrawText(u"(" + text::FromUtf8(std::to_string(row.childCount)) + u")", GroupCountRect(rowInView),
                    RowText(font, kMutedText, TextAlign::Far));
  } else if (row.inGroup) {
    name.x += kInGroupIndent;
    name.width -= kInGroupIndent;
  }
  canvas.DrawText(row.name, name, RowText(font, row.group ? kGroupText : kNameText));
}

void PaintStepRow(const MacroPageView& view, int rowInView, int font, Canvas& canvas) {
  const StepRowView& row = view.stepRows[static_cast<std::size_t>(rowInView)];
  const RectI place = StepRowRect(rowInView);
  // While a drag places a command, its insertion mark stands in for the
  // selection.
  if (rowInView == view.insertionRow) {
    canvas.DrawRect({place.x + 4, place.y + place.height - 2, place.width - 8, 1}, Pen(kInsertionMark));
  } else if (rowInView == view.stepSelected && view.insertionRow < 0) {
    canvas.FillRect(Highlight(place), kHighlight);
  }
  // Four digits must fit before the icon: the small label font holds them.
  canvas.DrawText(row.address, StepAddressRect(rowInView), RowText(kAddressFont, kMutedText));
  if (const int image = StepIconImage(row.icon)) {
    const RectI icon = StepIconRect(rowInView);
    canvas.DrawImage(image, icon.x, icon.y);
  }
  canvas.DrawText(row.text, StepTextRect(rowInView), RowText(font, kNameText));
}

}  // namespace

void PaintMacroListPane(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas) {
  const MacroPageView& view = snapshot.macroPage;
  Backing(kLibraryPane, view.activePane == 0 ? kActiveShadow : kQuietShadow, canvas);
  const int rows = std::min(static_cast<int>(view.libraryRows.size()), kLibraryRows);
  canvas.PushClip(kLibraryPane, 0);
  for (int r = 0; r < rows; ++r) {
    PaintLibraryRow(view, r, layout.style.macroStepFont, canvas);
    if (r + 1 == rows) break;
    const RectI place = LibraryRowRect(r);
    if (view.libraryRows[static_cast<std::size_t>(r)].lastOfGroup) {
      const float bottom = static_cast<float>(place.y + place.height);
      canvas.DrawLine({static_cast<float>(place.x + 4), bottom},
                      {static_cast<float>(place.x + place.width - 4), bottom}, Pen(kGroupBoundary, true));
    } else {
      Engraving(place, kLibraryEngraving, canvas);
    }
  }
  canvas.PopClip();
}

void PaintMacroStepList(const PaintSnapshot& snapshot, const SkinLayout& layout, Canvas& canvas) {
  const MacroPageView& view = snapshot.macroPage;
  if (view.activePane == 1) Backing(kStepPane, kActiveShadow, canvas);
  const int rows = std::min(static_cast<int>(view.stepRows.size()), kStepRows);
  canvas.PushClip(kStepPane, 0);
  for (int r = 0; r < rows; ++r) {
    PaintStepRow(view, r, layout.style.macroStepFont, canvas);
    if (r + 1 < rows) Engraving(StepRowRect(r), kStepEngraving, canvas);
  }
  canvas.PopClip();
}
