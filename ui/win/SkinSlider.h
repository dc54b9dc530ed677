#pragma once
// A resolution slider drawn from the skin. It tells its parent about every
// position change the user makes (message 11882, wParam = the slider) and
// none that the program makes with SetPosQuiet.
#include <windows.h>

#include "ui/HoverState.h"
#include "ui/SliderChange.h"
#include "ui/SliderLook.h"
#include "ui/win/SkinControl.h"

class SkinSlider : public SkinControl {
 public:
  ~SkinSlider() override;

  // Skins `control`, a trackbar of the dialog, and moves it to (x, y),
  // `width` x `height`. `channelImage` fills the channel, `thumbImage` the
  // thumb.
  bool Attach(HWND control, const SkinAssets& skinAssets, int channelImage, int thumbImage, int x, int y, int width,
              int height, const SliderColors& colors, int cornerRadius, int thumbCornerRadius);

  // Moves the slider without telling the parent.
  void SetPosQuiet(int position);

  // The slider's rectangle in the parent, for the parent's paint to leave
  // out; owned by the control.
  HRGN ParentRegion() const { return parentRegion; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC target);
  RectI ThumbRect() const;
  SliderState ReadState() const;
  void CheckPosition();

  SliderLook look;
  HoverState hover{true};
  SliderChange change;
  RectI place;
  HRGN parentRegion = nullptr;
};
