#include "ui/win/SkinListBox.h"

#include "ui/ControlMessages.h"

namespace {

constexpr int kItemInset = 4;

RectI ToRectI(const RECT& rect) { return RectI{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}; }

}  // namespace

bool SkinListBox::Attach(HWND control, const SkinAssets& skinAssets, const ButtonStyle& style, int height,
                         const ListColors& colors) {
  if (control == nullptr) return false;
  const LONG_PTR windowStyle = GetWindowLongPtrW(control, GWL_STYLE);
  if ((windowStyle & LBS_OWNERDRAWFIXED) == 0 || (windowStyle & LBS_HASSTRINGS) == 0) return false;
  if (!Subclass(control, skinAssets)) return false;
  look = ListBoxLook(style, colors);
  if (height > kItemInset) SendMessageW(control, LB_SETITEMHEIGHT, 0, height - kItemInset);
  InvalidateRect(control, nullptr, TRUE);
  return true;
}

void SkinListBox::AttachScrollBar(SkinScrollBar* bar) {
  scrollBar = bar;
  mirror = ScrollMirror();
  MirrorScroll();
}

void SkinListBox::SetMarkedItem(int index) {
  marked = index;
  Repaint();
}

LRESULT SkinListBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsQueuedMessage(message)) MirrorScroll();
  switch (message) {
    case WM_ERASEBKGND:
      EraseBelowItems(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_SETCURSOR:
      if (AnswerSetCursor(lParam, hover)) return TRUE;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = Default(message, wParam, lParam);
      PostToParent(kMsgControlFocus, 0);
      Repaint();
      return result;
    }
    default:
      TrackPointer(message, hover);
      break;
  }
  return Default(message, wParam, lParam);
}

bool SkinListBox::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item.itemID != static_cast<UINT>(-1)) PaintItem(item);
    result = TRUE;
    return true;
  }
  return SkinControl::OnReflected(message, wParam, lParam, result);
}

void SkinListBox::EraseBelowItems(HDC target) {
  RECT client{};
  if (target == nullptr || !GetClientRect(window, &client)) return;
  const LRESULT count = SendMessageW(window, LB_GETCOUNT, 0, 0);
  const int items = count == LB_ERR ? 0 : static_cast<int>(count);
  RECT last{};
  if (items > 0 && SendMessageW(window, LB_GETITEMRECT, static_cast<WPARAM>(items - 1),
                                reinterpret_cast<LPARAM>(&last)) == LB_ERR) {
    last = RECT{};
  }
  PaintDirect(target,
              [&](Canvas& canvas) { look.PaintBackground(canvas, ToRectI(client), items, ToRectI(last)); });
}

void SkinListBox::PaintItem(const DRAWITEMSTRUCT& item) {
  ListItem view;
  view.rect = ToRectI(item.rcItem);
  view.text = ListItemText(window, LB_GETTEXTLEN, LB_GETTEXT, static_cast<int>(item.itemID));
  view.selected = (item.itemState & ODS_SELECTED) != 0;
  view.current = static_cast<int>(item.itemID) == marked;
  PaintDirect(item.hDC, [&](Canvas& canvas) { look.PaintItem(canvas, view); });
}

void SkinListBox::MirrorScroll() {
  if (scrollBar == nullptr || scrollBar->Handle() == nullptr) return;
  int minimum = 0;
  int maximum = 0;
  if (!GetScrollRange(window, SB_VERT, &minimum, &maximum)) minimum = maximum = 0;
  const ScrollMirrorAction action = mirror.Mirror(minimum, maximum, GetScrollPos(window, SB_VERT));
  if (action.setRange) SetScrollRange(scrollBar->Handle(), SB_CTL, action.minimum, action.maximum, TRUE);
  SetScrollPos(scrollBar->Handle(), SB_CTL, action.position, TRUE);
}
