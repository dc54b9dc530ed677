#include "ui/win/SkinSlider.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/ControlMessages.h"

namespace {

RectI ToRectI(const RECT& rect) { return RectI{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}; }

}  // namespace

SkinSlider::~SkinSlider() {
  if (parentRegion != nullptr) DeleteObject(parentRegion);
}

bool SkinSlider::Attach(HWND control, const SkinAssets& skinAssets, int channelImage, int thumbImage, int x, int y,
                        int width, int height, const SliderColors& colors, int cornerRadius, int thumbCornerRadius) {
  if (!Subclass(control, skinAssets)) return false;
  Gdiplus::Bitmap* channel = assets.images->Get(channelImage);
  const int channelHeight = channel != nullptr ? static_cast<int>(channel->GetHeight()) : 0;
  look = SliderLook(channelImage, thumbImage, channelHeight, colors, cornerRadius, thumbCornerRadius);
  place = RectI{x, y, width, height};
  change = SliderChange(static_cast<int>(SendMessageW(control, TBM_GETPOS, 0, 0)));
  SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (parentRegion != nullptr) DeleteObject(parentRegion);
  parentRegion = CreateRectRgn(x, y, x + width, y + height);
  Repaint();
  return true;
}

void SkinSlider::SetPosQuiet(int position) {
  change.SetQuiet();
  SendMessageW(window, TBM_SETPOS, TRUE, position);
  CheckPosition();
}

LRESULT SkinSlider::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsQueuedMessage(message)) {
    if (message == WM_MOUSEMOVE) {
      const RectI thumb = ThumbRect();
      TrackPointer(message, hover, thumb.Contains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    } else {
      TrackPointer(message, hover);
    }
    CheckPosition();
  }
  LRESULT answer = 0;
  if (AnswerSelfPaint(message, wParam, lParam, hover, [this](HDC dc) { Paint(dc); }, answer)) return answer;
  switch (message) {
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

RectI SkinSlider::ThumbRect() const {
  RECT thumb{};
  SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  return ToRectI(thumb);
}

SliderState SkinSlider::ReadState() const {
  SliderState state;
  state.enabled = IsWindowEnabled(window) != FALSE;
  RECT channel{};
  SendMessageW(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  state.channel = ToRectI(channel);
  state.thumb = ThumbRect();
  // The first and last ticks are the range's ends, which the slider does
  // not report by index; the ones between it does.
  const LRESULT ticks = SendMessageW(window, TBM_GETNUMTICS, 0, 0);
  for (LRESULT index = 0; index + 2 < ticks; ++index) {
    const LRESULT x = SendMessageW(window, TBM_GETTICPOS, static_cast<WPARAM>(index), 0);
    if (x >= 0) state.tickXs.push_back(static_cast<int>(x));
  }
  return state;
}

void SkinSlider::Paint(HDC target) {
  const SliderState state = ReadState();
  PaintBuffered(target, place.width, place.height, [&](Canvas& canvas) { look.Paint(canvas, place, state); });
}

void SkinSlider::CheckPosition() {
  const SliderChangeAction action = change.OnPosition(static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0)));
  if (action.repaint) Repaint();
  if (action.postMoved) PostToParent(kMsgSliderMoved, reinterpret_cast<WPARAM>(window));
}
