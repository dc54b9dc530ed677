#pragma once
// A dialog button drawn from the skin: push and caption buttons, the
// window's close and minimise buttons, the image check box. Shows the
// recording dot on request.
#include <windows.h>

#include "ui/ButtonLook.h"
#include "ui/ButtonPulse.h"
#include "ui/HoverState.h"
#include "ui/SkinStyle.h"
#include "ui/win/SkinControl.h"

class SkinButton : public SkinControl {
 public:
  ~SkinButton() override;

  // Skins `control`, a button of the dialog: moves it to (x, y) in its
  // parent, sizes it to the style's normal image and cuts it to that image's
  // outline. A button whose template style lacks bit 3 (a check box or a
  // plain push button) shows only its check state; it keeps answering
  // BM_GETCHECK and BM_SETCHECK, and an automatic check box still toggles.
  bool Attach(HWND control, const SkinAssets& skinAssets, const ButtonStyle& style, int x, int y,
              const ButtonColors& colors, bool drawCaption);

  void SetPulse(bool on);
  bool PulseOn() const { return pulse.On(); }

  // The button's rectangle in the parent, for the parent's paint to leave
  // out; owned by the button.
  HRGN ParentRegion() const { return parentRegion; }

 private:
  static constexpr UINT_PTR kPulseTimer = 1;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Paint(HDC target);

  ButtonLook look;
  ButtonPulse pulse;
  HoverState hover{true};
  bool checkStyle = false;
  bool autoCheck = false;
  bool checked = false;
  HRGN parentRegion = nullptr;
};
