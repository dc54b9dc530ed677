#include "app/WindowLayout.h"

namespace {

constexpr int kTabLeft = 47;
constexpr int kTabPitch = 168;
constexpr int kTabTop = 70;
// The sizes of the three tab pictures.
constexpr std::array<int, kPageCount> kTabWidths = {167, 167, 166};
constexpr int kTabHeight = 33;

}  // namespace

std::vector<int> AllPageControls() {
  std::vector<int> ids(kButtonListIds.begin(), kButtonListIds.end());
  ids.insert(ids.end(), {IDC_NAME_EDIT, IDC_RENAME_EDIT, IDC_SLIDER_X, IDC_SLIDER_Y, IDC_TIE_XY, IDC_MACRO_LIST,
                         IDC_MACRO_SCROLL, IDC_CLEAR, IDC_RECORD, IDC_EXPORT, IDC_IMPORT, IDC_BACKUP, IDC_RESTORE,
                         IDC_RESET});
  return ids;
}

std::vector<int> PageControls(int page) {
  switch (page) {
    case 0:
      return {kButtonListIds.begin(), kButtonListIds.end()};
    case 1:
      return {IDC_SLIDER_X, IDC_SLIDER_Y, IDC_TIE_XY, IDC_BACKUP, IDC_RESTORE, IDC_RESET};
    case 2:
      return {IDC_CLEAR, IDC_RECORD, IDC_EXPORT, IDC_IMPORT};
    default:
      return {};
  }
}

RectI TabRect(int tab) {
  if (tab < 0 || tab >= kPageCount) return {};
  return {kTabLeft + kTabPitch * tab, kTabTop, kTabWidths[static_cast<size_t>(tab)], kTabHeight};
}

int TabAt(int x, int y) {
  for (int tab = 0; tab < kPageCount; ++tab) {
    if (TabRect(tab).Contains(x, y)) return tab;
  }
  return -1;
}
