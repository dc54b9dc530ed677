#include "ui/win/SkinButton.h"

#include "ui/win/SkinRegion.h"

namespace {

// Bit 3 of the button type: set for owner-drawn and the other types that do
// not draw a check state.
constexpr LONG_PTR kDrawnByStateBit = 8;

}  // namespace

SkinButton::~SkinButton() {
  if (window != nullptr && pulse.TimerWanted()) KillTimer(window, kPulseTimer);
  if (parentRegion != nullptr) DeleteObject(parentRegion);
}

bool SkinButton::Attach(HWND control, const SkinAssets& skinAssets, const ButtonStyle& style, int x, int y,
                        const ButtonColors& colors, bool drawCaption) {
  if (control == nullptr) return false;
  const LONG_PTR windowStyle = GetWindowLongPtrW(control, GWL_STYLE);
  const LONG_PTR type = windowStyle & BS_TYPEMASK;
  const bool wasChecked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (!Subclass(control, skinAssets)) return false;

  look = ButtonLook(style, colors, drawCaption);
  checkStyle = (windowStyle & kDrawnByStateBit) == 0;
  autoCheck = type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE;
  checked = checkStyle && wasChecked;
  // Once owner-drawn, the button is never painted by the system over the
  // skin between two of our paints; its check state is then kept here.
  SendMessageW(control, BM_SETSTYLE, static_cast<WPARAM>((windowStyle & 0xFFFF & ~BS_TYPEMASK) | BS_OWNERDRAW), FALSE);

  SIZE size{};
  HRGN shape = RegionFromSkinImage(assets.images->Get(style.imageIds[kSlotNormal]), &size);
  if (shape == nullptr) {
    RECT current{};
    GetWindowRect(control, &current);
    size = SIZE{current.right - current.left, current.bottom - current.top};
  }
  SetWindowPos(control, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  if (shape != nullptr && SetWindowRgn(control, shape, TRUE) == 0) DeleteObject(shape);
  if (parentRegion != nullptr) DeleteObject(parentRegion);
  parentRegion = CreateRectRgn(x, y, x + size.cx, y + size.cy);
  if (pulse.TimerWanted()) SetTimer(control, kPulseTimer, ButtonPulse::kPeriodMs, nullptr);
  Repaint();
  return true;
}

void SkinButton::SetPulse(bool on) {
  const PulseTimer timer = pulse.SetOn(on);
  // Before Attach there is no window to own the timer; Attach starts it.
  if (window == nullptr) return;
  switch (timer) {
    case PulseTimer::Start:
      SetTimer(window, kPulseTimer, ButtonPulse::kPeriodMs, nullptr);
      break;
    case PulseTimer::Stop:
      KillTimer(window, kPulseTimer);
      break;
    case PulseTimer::Keep:
      return;
  }
  Repaint();
}

LRESULT SkinButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = 0;
  if (AnswerSelfPaint(message, wParam, lParam, hover, [this](HDC dc) { Paint(dc); }, answer)) return answer;
  switch (message) {
    case WM_TIMER:
      if (wParam == kPulseTimer && pulse.Tick()) Repaint();
      break;
    case WM_ENABLE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_SETTEXT: {
      const LRESULT result = Default(message, wParam, lParam);
      Repaint();
      return result;
    }
    case BM_GETCHECK:
      if (checkStyle) return checked ? BST_CHECKED : BST_UNCHECKED;
      break;
    case BM_SETCHECK:
      if (!checkStyle) break;
      checked = wParam == BST_CHECKED;
      Repaint();
      return 0;
    case BM_SETSTYLE:
      wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
      break;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button takes the second click of a double click as
      // a double click only; a check box or push button took it as a click.
      if (checkStyle) message = WM_LBUTTONDOWN;
      TrackPointer(message, hover);
      break;
    default:
      TrackPointer(message, hover);
      break;
  }
  return Default(message, wParam, lParam);
}

bool SkinButton::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_DRAWITEM) {
    // The system asks for a new look after a state change: paint ours.
    Repaint();
    result = TRUE;
    return true;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && autoCheck) {
    // Before the parent hears of the click, as a standard check box does.
    checked = !checked;
    Repaint();
    return true;
  }
  return SkinControl::OnReflected(message, wParam, lParam, result);
}

void SkinButton::Paint(HDC target) {
  const RectI place = PlaceInParent();
  ButtonState state;
  state.checkStyle = checkStyle;
  state.checked = checked;
  state.enabled = IsWindowEnabled(window) != FALSE;
  state.hover = hover.Hover();
  state.pressed = hover.Pressed();
  state.pulseOn = pulse.On();
  state.pulseAlpha = pulse.Alpha();
  state.caption = WindowText();
  PaintBuffered(target, place.width, place.height, [&](Canvas& canvas) { look.Paint(canvas, place, state); });
}
