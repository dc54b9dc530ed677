#pragma once
// What a skinned resolution slider shows: a rounded channel filled with its
// artwork, tick strokes, and a rounded thumb; greyed when disabled.
#include <array>
#include <vector>

#include "ui/Canvas.h"
#include "ui/SkinStyle.h"

// The disabled grey is the disabled colour shaded by this step.
inline constexpr int kSliderShadeStep = 20;

struct SliderColors {
  RgbColor border;
  RgbColor thumb;
  RgbColor disabled;
};

struct SliderState {
  bool enabled = true;
  RectI channel;  // as the slider reports it, in its own client coordinates
  RectI thumb;
  std::vector<int> tickXs;  // x of each tick the slider reports
};

class SliderLook {
 public:
  SliderLook() = default;
  // `channelImage` fills the channel, `thumbImage` the thumb; the channel
  // image is stretched across and keeps `channelImageHeight`.
  SliderLook(int channelImage, int thumbImage, int channelImageHeight, const SliderColors& colors, int cornerRadius,
             int thumbCornerRadius);

  RgbColor Grey() const;
  // The channel's outline and the part inside its 1-pixel border.
  RectI ChannelOutline(const SliderState& state) const;
  RectI ChannelInside(const SliderState& state) const;

  // `place` is the slider's rectangle in the window.
  void Paint(Canvas& canvas, const RectI& place, const SliderState& state) const;

 private:
  int channelImage = 0;
  int thumbImage = 0;
  int channelImageHeight = 0;
  SliderColors colors{};
  int cornerRadius = 0;
  int thumbCornerRadius = 0;
};
