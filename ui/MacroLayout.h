#pragma once
// Where the macro panes, their rows, the toolbox between them and the macro
// page's own items lie. The painters draw each item at these rectangles and
// the controller hit-tests the same ones, so a place is written once here.
#include <array>
#include <vector>

#include "ui/Canvas.h"

// The "Macro Library" pane (button and macro pages) and the "Macro Editor"
// pane (macro page), each a column of 40-pixel rows.
inline constexpr RectI kLibraryPane = {40, 136, 242, 362};
inline constexpr RectI kStepPane = {340, 136, 417, 322};
inline constexpr int kMacroRowHeight = 40;
inline constexpr int kLibraryRows = 9;
inline constexpr int kStepRows = 8;
// A macro listed under its group stands this far right of the others.
inline constexpr int kInGroupIndent = 18;

bool InLibraryPane(int x, int y);
// Row `rowInView` (0 at the top of the pane), across the pane's width.
RectI LibraryRowRect(int rowInView);
// The row in view under (x, y), or -1.
int LibraryRowAt(int x, int y);
// A group row's folder icon: a click there opens or closes the group.
RectI FolderIconRect(int rowInView);
// The name column of a row: where the name shows and the rename box opens.
RectI LibraryNameRect(int rowInView);
// A group's count of children, right of its name.
RectI GroupCountRect(int rowInView);
int FolderIconImage(bool expanded);

bool InStepPane(int x, int y);
RectI StepRowRect(int rowInView);
int StepRowAt(int x, int y);
// The parts of a step row: its address, its icon, its text.
RectI StepAddressRect(int rowInView);
RectI StepIconRect(int rowInView);
RectI StepTextRect(int rowInView);
// Where the number box opens to edit a wait.
RectI WaitValueRect(int rowInView);
// The image of a step icon class (StepIconKind), 0 for none.
int StepIconImage(int iconKind);

// The toolbox between the panes. Item 0 is the discard area on both pages;
// on the macro page items 1 to 6 are the command templates, on the button
// page item 1 makes a new group. Items a page lacks have an empty rectangle.
inline constexpr int kToolboxItems = 7;
inline constexpr int kToolDiscard = 0;
inline constexpr int kToolNewGroup = 1;  // on the button page
RectI ToolboxItemRect(int page, int item);
// The item under (x, y) on `page`, or -1.
int ToolboxItemAt(int page, int x, int y);
std::array<RectI, kToolboxItems> ToolboxItems(int page);
// The item's picture, plain or lit as the drop target under a drag.
int ToolboxItemImage(int page, int item, bool lit);

// The macro page's "Record the duration or invervals" box: a click on it
// flips the option. Its label stands to its right.
RectI RecordIntervalsBox();
RectI RecordIntervalsLabelRect();
int RecordIntervalsImage(bool ticked);
// The prompt over the editor while a capture waits for a key or a button.
RectI CapturePromptRect();
// The bar under the library that fills while the editor's macro is stored.
RectI StoreProgressRect();

// One arrow of the guide, drawn from `from` to its head at `to`.
struct GuideArrow {
  PointF from;
  PointF to;
};
// The arrows of guide step `step` (1 to 7) on `page`; none for step 0.
std::vector<GuideArrow> GuideArrowsOf(int page, int step);
