#include "ui/win/SkinComboBox.h"

#include <vector>

#include "ui/ControlMessages.h"
#include "ui/win/GdiPlusCanvas.h"

namespace {

// The corners of the window region, as the ellipse size of a rounded rectangle.
constexpr int kCornerEllipse = 3;
// The selection field is this much lower than the control.
constexpr int kFieldInset = 4;

bool IsSkinnableCombo(HWND control) {
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  return (style & 3) == CBS_DROPDOWNLIST && (style & CBS_OWNERDRAWFIXED) != 0 && (style & CBS_HASSTRINGS) != 0;
}

}  // namespace

SkinComboBox::~SkinComboBox() {
  if (parentRegion != nullptr) DeleteObject(parentRegion);
}

bool SkinComboBox::Attach(HWND control, const SkinAssets& skinAssets, const ButtonStyle& style, int x, int y,
                          int width, int height, const ListColors& colors) {
  if (control == nullptr || !IsSkinnableCombo(control) || !Subclass(control, skinAssets)) return false;
  Gdiplus::Bitmap* arrow = assets.images->Get(style.imageIds[0]);
  const int arrowWidth = arrow != nullptr ? static_cast<int>(arrow->GetWidth()) : 0;
  const int arrowHeight = arrow != nullptr ? static_cast<int>(arrow->GetHeight()) : 0;
  look = ComboLook(style, colors, arrowWidth, arrowHeight);
  place = RectI{x, y, width, height};
  current = SelectedIndex();

  SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (height > kFieldInset) SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - kFieldInset);
  HRGN shape = CreateRoundRectRgn(0, 0, width, height, kCornerEllipse, kCornerEllipse);
  if (shape != nullptr && SetWindowRgn(control, shape, TRUE) == 0) DeleteObject(shape);
  if (parentRegion != nullptr) DeleteObject(parentRegion);
  parentRegion = CreateRoundRectRgn(x, y, x + width, y + height, kCornerEllipse, kCornerEllipse);
  Repaint();
  return true;
}

void SkinComboBox::SetMarkedItem(int index) {
  current = index;
  Repaint();
}

int SkinComboBox::SelectedIndex() const { return static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0)); }

LRESULT SkinComboBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = 0;
  if (AnswerSelfPaint(message, wParam, lParam, hover, [this](HDC dc) { Paint(dc); }, answer)) return answer;
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = Default(message, wParam, lParam);
      PostToParent(kMsgControlFocus, 0);
      Repaint();
      return result;
    }
    case WM_COMMAND:
      // From the control's own list: a new selection (1) or the list closing (8).
      if (HIWORD(wParam) == 1) {
        const LRESULT result = Default(message, wParam, lParam);
        Repaint();
        return result;
      }
      if (HIWORD(wParam) == 8) {
        current = SelectedIndex();
        Repaint();
      }
      break;
    case CB_SETCURSEL:
      current = static_cast<int>(wParam);
      Repaint();
      break;
    default:
      TrackPointer(message, hover);
      break;
  }
  return Default(message, wParam, lParam);
}

bool SkinComboBox::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND) {
    switch (HIWORD(wParam)) {
      case CBN_SETFOCUS:
        current = SelectedIndex();
        return true;
      case CBN_DROPDOWN:
        WidenDropDown();
        dropped = true;
        Repaint();
        return true;
      case CBN_CLOSEUP:
        current = SelectedIndex();
        dropped = false;
        Repaint();
        return true;
      default:
        return false;
    }
  }
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    // The system's own drawing of the selection field: ours replaces it.
    if (item.itemID == static_cast<UINT>(-1) || (item.itemState & ODS_COMBOBOXEDIT) != 0) {
      Repaint();
    } else {
      PaintItem(item);
    }
    result = TRUE;
    return true;
  }
  return SkinControl::OnReflected(message, wParam, lParam, result);
}

void SkinComboBox::Paint(HDC target) {
  ComboState state;
  state.enabled = IsWindowEnabled(window) != FALSE;
  state.hover = hover.Hover();
  state.focus = GetFocus() == window;
  state.dropped = dropped;
  state.text = WindowText();
  PaintBuffered(target, place.width, place.height, [&](Canvas& canvas) { look.PaintField(canvas, place, state); });
}

void SkinComboBox::PaintItem(const DRAWITEMSTRUCT& item) {
  ListItem view;
  view.rect = RectI{item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
                    item.rcItem.bottom - item.rcItem.top};
  view.text = ListItemText(window, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<int>(item.itemID));
  view.selected = (item.itemState & ODS_SELECTED) != 0;
  view.current = static_cast<int>(item.itemID) == current;
  PaintDirect(item.hDC, [&](Canvas& canvas) { look.PaintItem(canvas, view); });
}

void SkinComboBox::WidenDropDown() {
  const LRESULT count = SendMessageW(window, CB_GETCOUNT, 0, 0);
  if (count == CB_ERR) return;
  std::vector<std::u16string> items;
  for (int index = 0; index < static_cast<int>(count); ++index) {
    items.push_back(ListItemText(window, CB_GETLBTEXTLEN, CB_GETLBTEXT, index));
  }
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return;
  const HDC measuring = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (measuring == nullptr) return;
  int widest = 0;
  PaintDirect(measuring, [&](Canvas& canvas) { widest = WidestText(canvas, items, look.Font()); });
  DeleteDC(measuring);
  if (const std::optional<int> width = dropDownWidth.OnDropDown(widest, GetSystemMetrics(SM_CXVSCROLL))) {
    SendMessageW(window, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(*width), 0);
  }
}
