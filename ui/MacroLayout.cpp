#include "ui/MacroLayout.h"

#include "ui/SkinLayout.h"

namespace {

constexpr int kIconSize = 24;  // step icons, tool icons and the folder button
constexpr int kIconInset = (kMacroRowHeight - kIconSize) / 2;

// Images of the step icon classes, in StepIconKind order.
constexpr std::array<int, 10> kStepIconImages = {210, 211, 212, 214, 215, 220, 218, 219, 227, 216};
// The macro page's toolbox: the discard area, then the six templates.
constexpr std::array<int, kToolboxItems> kMacroToolImages = {241, 210, 211, 212, 214, 215, 227};
constexpr int kDiscardLitImage = 243;
constexpr std::array<int, 4> kFolderButtonImages = {237, 238, 239, 237};  // normal, hover, pressed, disabled

// The macro page's toolbox is a column centred between the panes; the
// templates run down from the top, the discard area sits at the foot.
constexpr int kToolColumnX = 302;
constexpr int kFirstTemplateY = 148;
constexpr int kTemplatePitch = 30;
constexpr int kDiscardY = 424;
// The button page has only the gap between the library and the rule at
// x 310: the new-group button on top, the discard area below it.
constexpr int kButtonPageToolX = 285;
constexpr int kNewGroupY = 136;
constexpr int kButtonPageDiscardY = 166;

RectI Row(const RectI& pane, int rowInView) {
  return {pane.x, pane.y + kMacroRowHeight * rowInView, pane.width, kMacroRowHeight};
}

int RowAt(const RectI& pane, int rows, int x, int y) {
  if (!pane.Contains(x, y)) return -1;
  const int row = (y - pane.y) / kMacroRowHeight;
  return row < rows ? row : -1;
}

RectI Icon(int x, int y) { return {x, y, kIconSize, kIconSize}; }

}  // namespace

bool InLibraryPane(int x, int y) { return kLibraryPane.Contains(x, y); }

RectI LibraryRowRect(int rowInView) { return Row(kLibraryPane, rowInView); }

int LibraryRowAt(int x, int y) { return RowAt(kLibraryPane, kLibraryRows, x, y); }

RectI FolderIconRect(int rowInView) {
  const RectI row = LibraryRowRect(rowInView);
  return Icon(row.x + 4, row.y + kIconInset);
}

RectI LibraryNameRect(int rowInView) {
  const RectI row = LibraryRowRect(rowInView);
  return {row.x + 32, row.y + 9, 170, 22};
}

RectI GroupCountRect(int rowInView) {
  const RectI row = LibraryRowRect(rowInView);
  const RectI name = LibraryNameRect(rowInView);
  return {name.x + name.width, row.y, row.x + row.width - 6 - name.x - name.width, row.height};
}

int FolderIconImage(bool expanded) { return kFolderButtonImages[expanded ? 2 : 0]; }

bool InStepPane(int x, int y) { return kStepPane.Contains(x, y); }

RectI StepRowRect(int rowInView) { return Row(kStepPane, rowInView); }

int StepRowAt(int x, int y) { return RowAt(kStepPane, kStepRows, x, y); }

RectI StepAddressRect(int rowInView) {
  const RectI row = StepRowRect(rowInView);
  return {row.x + 6, row.y, 36, row.height};
}

RectI StepIconRect(int rowInView) {
  const RectI row = StepRowRect(rowInView);
  return Icon(row.x + 44, row.y + kIconInset);
}

RectI StepTextRect(int rowInView) {
  const RectI row = StepRowRect(rowInView);
  return {row.x + 76, row.y, row.width - 80, row.height};
}

RectI WaitValueRect(int rowInView) {
  const RectI text = StepTextRect(rowInView);
  return {text.x, text.y + 9, 120, 22};
}

int StepIconImage(int iconKind) {
  return iconKind >= 0 && iconKind < static_cast<int>(kStepIconImages.size())
             ? kStepIconImages[static_cast<std::size_t>(iconKind)]
             : 0;
}

RectI ToolboxItemRect(int page, int item) {
  if (page == kMacroPage && item >= 0 && item < kToolboxItems) {
    if (item == kToolDiscard) return Icon(kToolColumnX, kDiscardY);
    return Icon(kToolColumnX, kFirstTemplateY + kTemplatePitch * (item - 1));
  }
  if (page == kButtonPage && item == kToolDiscard) return Icon(kButtonPageToolX, kButtonPageDiscardY);
  if (page == kButtonPage && item == kToolNewGroup) return Icon(kButtonPageToolX, kNewGroupY);
  return {};
}

int ToolboxItemAt(int page, int x, int y) {
  for (int item = 0; item < kToolboxItems; ++item) {
    if (ToolboxItemRect(page, item).Contains(x, y)) return item;
  }
  return -1;
}

std::array<RectI, kToolboxItems> ToolboxItems(int page) {
  std::array<RectI, kToolboxItems> items{};
  for (int item = 0; item < kToolboxItems; ++item) items[static_cast<std::size_t>(item)] = ToolboxItemRect(page, item);
  return items;
}

int ToolboxItemImage(int page, int item, bool lit) {
  if (ToolboxItemRect(page, item).width == 0) return 0;
  if (item == kToolDiscard) return lit ? kDiscardLitImage : kMacroToolImages[0];
  if (page == kButtonPage) return kFolderButtonImages[lit ? 1 : 0];
  return kMacroToolImages[static_cast<std::size_t>(item)];
}

// Under the Record button, clear of the caption buttons' row.
RectI RecordIntervalsBox() { return {345, 507, 16, 16}; }

RectI RecordIntervalsLabelRect() {
  const RectI box = RecordIntervalsBox();
  return {box.x + box.width + 6, box.y - 1, 300, 18};
}

int RecordIntervalsImage(bool ticked) { return ticked ? 222 : 221; }

RectI CapturePromptRect() { return {kStepPane.x + 58, kStepPane.y + 131, 300, 60}; }

RectI StoreProgressRect() { return {kLibraryPane.x, kLibraryPane.y + kLibraryPane.height + 10, kLibraryPane.width, 8}; }

std::vector<GuideArrow> GuideArrowsOf(int page, int step) {
  // Up at the toolbox's templates; out of the toolbox into the editor or
  // the library; at the editor's rows; on the button page, at the lists.
  constexpr GuideArrow kAtToolbox{{314, 212}, {314, 177}};
  constexpr GuideArrow kIntoEditor{{325, 242}, {360, 242}};
  constexpr GuideArrow kIntoLibrary{{308, 242}, {273, 242}};
  constexpr GuideArrow kAtSteps{{335, 292}, {370, 292}};
  constexpr GuideArrow kAtLists{{301, 272}, {336, 272}};
  switch (step) {
    case 1:
    case 4:
      if (page == kMacroPage) return {kAtToolbox, kIntoEditor};
      return {page == kButtonPage ? kAtLists : kIntoEditor};
    case 2:
    case 5:
      return {kAtToolbox, kIntoLibrary};
    case 3:
    case 6:
      return {kAtSteps};
    case 7:
      return {kAtToolbox};
    default:
      return {};
  }
}
