#pragma once
// The fixed geometry of the main window that the controller needs: which
// controls belong to which page, where the tabs lie, and the two panels that
// animate or show progress. Kept in this one place so that it can follow the
// skin layout table when that table exports them.
#include <array>
#include <vector>

#include "res/resource.h"
#include "ui/Canvas.h"

inline constexpr int kPageCount = 3;

// The Enable button, which the resource script places without a page.
inline constexpr int kEnableButtonId = 1002;

// The twelve button lists, in the order of the buttons they assign.
inline constexpr std::array<int, 12> kButtonListIds = {
    IDC_BUTTON_LIST_0, IDC_BUTTON_LIST_1, IDC_BUTTON_LIST_2, IDC_BUTTON_LIST_3,
    IDC_BUTTON_LIST_4, IDC_BUTTON_LIST_5, IDC_BUTTON_LIST_6, IDC_BUTTON_LIST_7,
    IDC_BUTTON_LIST_8, IDC_BUTTON_LIST_9, IDC_BUTTON_LIST_10, IDC_BUTTON_LIST_11};

inline constexpr std::array<int, 3> kDeviceOperationButtons = {IDC_BACKUP, IDC_RESTORE, IDC_RESET};
// Hidden while a device operation runs: they would start device work.
inline constexpr std::array<int, 3> kLevelControls = {IDC_SLIDER_X, IDC_SLIDER_Y, IDC_TIE_XY};

// Every control that a page switch hides before showing the new page's.
std::vector<int> AllPageControls();
// The controls that page `page` shows.
std::vector<int> PageControls(int page);

// Tab n's picture, where a click or the pointer finds it.
RectI TabRect(int tab);
// The tab under (x, y), or -1.
int TabAt(int x, int y);

// The colour panel of the button page, which fades in and out.
inline constexpr RectI kHoverPanelRect{570, 164, 192, 84};
// The progress panel: 300 x 140 centred in the 802 x 614 client area, its
// right and bottom edges one pixel further out.
inline constexpr RectI kProgressPanelRect{251, 237, 301, 141};
