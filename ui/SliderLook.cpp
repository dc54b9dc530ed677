#include "ui/SliderLook.h"

#include <algorithm>

#include "ui/Shade.h"

namespace {

// The channel artwork is stretched past the slider's right edge and clipped
// to the channel, so its soft last column never shows at the channel's end.
constexpr int kChannelImageOverhang = 100;
constexpr int kTickLength = 4;
constexpr float kTickWidth = 2;

RectI Inset(const RectI& rect, int by) { return RectI{rect.x + by, rect.y + by, rect.width - 2 * by, rect.height - 2 * by}; }

}  // namespace

SliderLook::SliderLook(int channel, int thumbId, int imageHeight, const SliderColors& sliderColors, int radius,
                       int thumbRadius)
    : channelImage(channel),
      thumbImage(thumbId),
      channelImageHeight(imageHeight),
      colors(sliderColors),
      cornerRadius(radius),
      thumbCornerRadius(thumbRadius) {}

RgbColor SliderLook::Grey() const { return Shade(colors.disabled, kSliderShadeStep); }

RectI SliderLook::ChannelOutline(const SliderState& state) const {
  return RectI{state.channel.x, state.channel.y, state.channel.width + 1, state.channel.height + 1};
}

RectI SliderLook::ChannelInside(const SliderState& state) const { return Inset(ChannelOutline(state), 1); }

void SliderLook::Paint(Canvas& canvas, const RectI& place, const SliderState& state) const {
  canvas.DrawImagePart(kWindowBackgroundImage, place, 0, 0);
  const Rgba grey = Opaque(Grey());

  canvas.FillRoundRect(ChannelOutline(state), cornerRadius, Opaque(state.enabled ? colors.border : colors.disabled));
  const RectI inside = ChannelInside(state);
  canvas.PushClip(inside, std::max(cornerRadius - 1, 0));
  if (state.enabled) {
    canvas.DrawImageScaled(channelImage,
                           RectI{state.channel.x, state.channel.y, place.width + kChannelImageOverhang,
                                 channelImageHeight},
                           255);
  } else {
    canvas.FillRect(inside, grey);
  }
  canvas.PopClip();

  PenStyle tick;
  tick.color = Rgba{255, 255, 255, 255};
  tick.width = kTickWidth;
  for (int x : state.tickXs) {
    const PointF bottom{static_cast<float>(x), static_cast<float>(place.height)};
    canvas.DrawLine(PointF{bottom.x, bottom.y - kTickLength}, bottom, tick);
  }

  canvas.FillRoundRect(state.thumb, thumbCornerRadius, Opaque(state.enabled ? colors.thumb : colors.disabled));
  canvas.PushClip(Inset(state.thumb, 1), std::max(thumbCornerRadius - 1, 0));
  if (state.enabled) {
    canvas.DrawImageScaled(thumbImage,
                           RectI{state.thumb.x, state.thumb.y, state.thumb.width + 1, state.thumb.height + 1}, 255);
  } else {
    canvas.FillRect(state.thumb, grey);
  }
  canvas.PopClip();
}
