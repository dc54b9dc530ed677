#include "ui/win/SkinControl.h"

#include <commctrl.h>

#include <vector>

#include "ui/win/GdiPlusCanvas.h"

namespace {

constexpr UINT_PTR kControlSubclassId = 0x5343;  // one subclass per control
constexpr UINT_PTR kReflectorSubclassId = 0x5352;  // one per parent, shared by its skinned children
constexpr int kHandCursor = 107;
// The control object behind a skinned window, for the parent's reflector.
const wchar_t kControlProperty[] = L"VantorSkinControl";

SkinControl* ControlOf(HWND child) {
  if (child == nullptr) return nullptr;
  return static_cast<SkinControl*>(GetPropW(child, kControlProperty));
}

// The control a notification to the parent comes from.
HWND NotifyingChild(UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM:
      return lParam != 0 ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

HCURSOR LoadSkinHandCursor(HMODULE module) {
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  if (HCURSOR cursor = LoadCursorW(module, MAKEINTRESOURCEW(kHandCursor))) return cursor;
  return LoadCursorW(nullptr, IDC_HAND);
}

SkinControl::~SkinControl() { Detach(); }

bool SkinControl::Subclass(HWND control, const SkinAssets& skinAssets) {
  Detach();
  if (control == nullptr || !IsWindow(control) || skinAssets.images == nullptr || skinAssets.fonts == nullptr) {
    return false;
  }
  const HWND parent = GetParent(control);
  if (parent == nullptr) return false;
  if (!SetWindowSubclass(control, SubclassProc, kControlSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
  if (!SetPropW(control, kControlProperty, this) ||
      !SetWindowSubclass(parent, ReflectorProc, kReflectorSubclassId, 0)) {
    RemovePropW(control, kControlProperty);
    RemoveWindowSubclass(control, SubclassProc, kControlSubclassId);
    return false;
  }
  window = control;
  assets = skinAssets;
  if (assets.hand == nullptr) assets.hand = LoadSkinHandCursor();
  if (assets.parentCursor == nullptr) assets.parentCursor = LoadCursorW(nullptr, IDC_ARROW);
  return true;
}

void SkinControl::Detach() {
  if (window == nullptr) return;
  RemovePropW(window, kControlProperty);
  RemoveWindowSubclass(window, SubclassProc, kControlSubclassId);
  window = nullptr;
}

LRESULT SkinControl::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(window, message, wParam, lParam);
}

bool SkinControl::OnReflected(UINT message, WPARAM, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      // The control paints all of itself; the system's colours must not show.
      result = reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK SkinControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
  auto* control = reinterpret_cast<SkinControl*>(self);
  if (message == WM_NCDESTROY) {
    control->Detach();
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  return control->OnMessage(message, wParam, lParam);
}

LRESULT CALLBACK SkinControl::ReflectorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ReflectorProc, kReflectorSubclassId);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  if (SkinControl* control = ControlOf(NotifyingChild(message, wParam, lParam))) {
    LRESULT result = 0;
    const bool answered = control->OnReflected(message, wParam, lParam, result);
    if (answered && message != WM_COMMAND) return result;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void SkinControl::Repaint() const {
  if (window != nullptr) InvalidateRect(window, nullptr, FALSE);
}

bool SkinControl::TrackPointer(UINT message, HoverState& hover, bool overHandArea) {
  HoverAction action;
  switch (message) {
    case WM_MOUSEMOVE:
      action = hover.OnMouseMove(overHandArea);
      break;
    case WM_MOUSELEAVE:
      action = hover.OnMouseLeave();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      action = hover.OnLeftDown();
      break;
    case WM_LBUTTONUP:
      action = hover.OnLeftUp();
      break;
    default:
      return false;
  }
  if (action.repaint) Repaint();
  if (action.trackLeave) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    TrackMouseEvent(&track);
  }
  if (action.cursor != HoverCursor::Unchanged) ApplyCursor(hover);
  return true;
}

bool SkinControl::ApplyCursor(const HoverState& hover) const {
  switch (hover.Cursor()) {
    case HoverCursor::Hand:
      SetCursor(assets.hand);
      return true;
    case HoverCursor::Parent:
      SetCursor(assets.parentCursor);
      return true;
    case HoverCursor::Unchanged:
      break;
  }
  return false;
}

RectI SkinControl::PlaceInParent() const {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  MapWindowPoints(window, GetParent(window), &origin, 1);
  return RectI{origin.x, origin.y, client.right - client.left, client.bottom - client.top};
}

void SkinControl::PaintBuffered(HDC target, int width, int height, const std::function<void(Canvas&)>& paint) {
  if (!buffer.Ensure(target, width, height)) return;
  // The buffer is reused: without this, a paint that leaves pixels alone
  // (a missing background image) would show the previous paint there.
  PatBlt(buffer.Dc(), 0, 0, width, height, BLACKNESS);
  {
    Gdiplus::Graphics graphics(buffer.Dc());
    if (graphics.GetLastStatus() != Gdiplus::Ok) return;
    GdiPlusCanvas canvas(graphics, *assets.images, *assets.fonts);
    paint(canvas);
  }
  buffer.CopyTo(target, width, height);
}

void SkinControl::PaintDirect(HDC target, const std::function<void(Canvas&)>& paint) const {
  Gdiplus::Graphics graphics(target);
  if (graphics.GetLastStatus() != Gdiplus::Ok) return;
  GdiPlusCanvas canvas(graphics, *assets.images, *assets.fonts);
  paint(canvas);
}

bool SkinControl::AnswerSelfPaint(UINT message, WPARAM wParam, LPARAM lParam, const HoverState& hover,
                                  const std::function<void(HDC)>& paint, LRESULT& result) const {
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      if (HDC dc = BeginPaint(window, &ps)) paint(dc);
      EndPaint(window, &ps);
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    case WM_SETCURSOR:
      result = TRUE;
      return AnswerSetCursor(lParam, hover);
    default:
      return false;
  }
}

std::u16string ListItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
  // LB_ERR and CB_ERR are both -1.
  const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
  if (length <= 0) return std::u16string();
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  const LRESULT copied =
      SendMessageW(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  if (copied < 0) return std::u16string();
  return std::u16string(text.begin(), text.begin() + copied);
}

bool SkinControl::IsQueuedMessage(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         message == WM_MOUSELEAVE || message == WM_PAINT || message == WM_TIMER;
}

std::u16string SkinControl::WindowText() const {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return std::u16string();
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  return std::u16string(text.begin(), text.begin() + (copied > 0 ? copied : 0));
}

void SkinControl::PostToParent(UINT message, WPARAM wParam) const {
  PostMessageW(GetParent(window), message, wParam, 0);
}
