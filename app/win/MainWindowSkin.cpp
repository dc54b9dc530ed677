#include "app/win/MainWindowSkin.h"

#include <commctrl.h>

#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include "ui/win/SkinRegion.h"

namespace {

ButtonColors ButtonColoursOf(const ControlPlacement& placement) {
  return {placement.colours.text, placement.colours.disabledText, placement.colours.disabledShadow};
}

ListColors ListColoursOf(const ControlPlacement& placement) {
  const ControlColours& colours = placement.colours;
  return ListColors::From(colours.text, colours.background, colours.disabledText, colours.disabledShadow);
}

RectI RectInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return RectI{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool IsEditor(int id) { return id == kControlNameEdit || id == kControlRenameEdit || id == kControlNumberEdit; }

}  // namespace

MainWindowSkin::~MainWindowSkin() = default;

bool MainWindowSkin::Init(HWND dialog, const SkinStyle& style, const SkinFontSet& fonts, HCURSOR classCursor,
                          bool startHidden) {
  window = dialog;
  layout = BuildSkinLayout(style);
  const int loaded = images.LoadAll();
  diag::Writef("skin images loaded: %d", loaded);
  Gdiplus::Bitmap* background = images.Get(kWindowBackgroundImage);
  if (!surface.Create(background)) {
    diag::Write("skin background missing: the window keeps the system's look");
    return false;
  }
  SIZE size{};
  HRGN outline = RegionFromSkinImage(background, &size);

  assets.images = &images;
  assets.fonts = &fonts;
  assets.hand = LoadSkinHandCursor();
  assets.parentCursor = classCursor;
  PlaceControls();

  const RectI windowRect = WindowRect(startHidden);
  const int width = windowRect.width > 0 ? size.cx : 0;
  const int height = windowRect.height > 0 ? size.cy : 0;
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (outline != nullptr && SetWindowRgn(window, outline, TRUE) == 0) DeleteObject(outline);
  diag::Writef("skin applied: window %d x %d, outline %s", static_cast<int>(width), static_cast<int>(height),
               outline != nullptr ? "set" : "missing");
  return true;
}

void MainWindowSkin::PlaceControls() {
  int failed = 0;
  for (const ControlPlacement& placement : layout.controls) {
    const HWND control = GetDlgItem(window, placement.id);
    if (control == nullptr) {
      ++failed;
      continue;
    }
    const RectI& rect = placement.rect;
    bool attached = true;
    switch (placement.kind) {
      case ControlClass::Button: {
        if (!placement.caption.empty()) SetWindowTextW(control, ToWide(placement.caption).c_str());
        auto& button = buttons[placement.id];
        button = std::make_unique<SkinButton>();
        attached = button->Attach(control, assets, layout.style.buttons[static_cast<size_t>(placement.style)], rect.x,
                                  rect.y, ButtonColoursOf(placement), placement.drawCaption);
        break;
      }
      case ControlClass::ComboBox: {
        auto& list = lists[placement.id];
        list = std::make_unique<SkinComboBox>();
        attached = list->Attach(control, assets, layout.style.buttons[static_cast<size_t>(placement.style)], rect.x,
                                rect.y, rect.width, rect.height, ListColoursOf(placement));
        break;
      }
      case ControlClass::ListBox:
        // Height 0: the items keep the template's height.
        attached = macroList.Attach(control, assets, layout.style.buttons[static_cast<size_t>(placement.style)], 0,
                                    ListColoursOf(placement));
        break;
      case ControlClass::Slider: {
        const SliderSkin& look = SkinSliderLook();
        auto& slider = sliders[placement.id];
        slider = std::make_unique<SkinSlider>();
        SendMessageW(control, TBM_SETRANGE, TRUE, MAKELPARAM(look.rangeMin, look.rangeMax));
        attached = slider->Attach(control, assets, look.imageIds[0], look.imageIds[1], rect.x, rect.y, rect.width,
                                  rect.height, {look.border, look.thumb, look.disabled}, look.cornerRadius,
                                  look.thumbCornerRadius);
        break;
      }
      case ControlClass::Edit:
        attached = SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height,
                                SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
        break;
    }
    if (!attached) ++failed;
  }

  const HWND list = GetDlgItem(window, kControlMacroList);
  const HWND bar = GetDlgItem(window, kControlMacroScroll);
  if (list != nullptr && bar != nullptr && macroScroll.Attach(bar, assets)) {
    macroList.AttachScrollBar(&macroScroll);
    const RectI beside = ScrollBarBeside(RectInParent(list));
    SetWindowPos(bar, nullptr, beside.x, beside.y, beside.width, beside.height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    ++failed;
  }
  diag::Writef("skin controls placed: %d, failed: %d", static_cast<int>(layout.controls.size()) + 1 - failed, failed);
}

std::vector<int> MainWindowSkin::VisibleControls() const {
  std::vector<int> visible;
  for (const ControlPlacement& placement : layout.controls) {
    const HWND control = GetDlgItem(window, placement.id);
    if (control != nullptr && (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0) visible.push_back(placement.id);
  }
  return visible;
}

void MainWindowSkin::Paint(const PaintSnapshot& snapshot) {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(window, &paint);
  if (dc != nullptr) {
    for (const PaintExclusion& exclusion : TakeExclusions(controlsChanged, layout, VisibleControls())) {
      const RectI& r = exclusion.rect;
      const HRGN region = exclusion.cornerEllipse > 0
                              ? CreateRoundRectRgn(r.x, r.y, r.x + r.width, r.y + r.height, exclusion.cornerEllipse,
                                                   exclusion.cornerEllipse)
                              : CreateRectRgn(r.x, r.y, r.x + r.width, r.y + r.height);
      if (region == nullptr) continue;
      ExtSelectClipRgn(dc, region, RGN_DIFF);
      DeleteObject(region);
    }
    const RECT& dirty = paint.rcPaint;
    surface.Paint(dc, RectI{dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top}, images,
                  *assets.fonts, [&](Canvas& canvas) { PaintWindow(snapshot, layout, canvas, nullptr); });
  }
  EndPaint(window, &paint);
}

HBRUSH MainWindowSkin::ControlBrush(HWND control) const {
  return static_cast<HBRUSH>(GetStockObject(IsEditor(GetDlgCtrlID(control)) ? WHITE_BRUSH : HOLLOW_BRUSH));
}
