#pragma once
// The main window's skin as Win32 applies it: the images, the window's
// outline and size, the skinned controls attached and placed from the layout
// table, and the paint pipeline on the composition surface. The main dialog
// calls it; what to show and when is decided elsewhere.
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "ui/PaintPipeline.h"
#include "ui/PaintSnapshot.h"
#include "ui/SkinLayout.h"
#include "ui/win/CompositionSurface.h"
#include "ui/win/SkinButton.h"
#include "ui/win/SkinComboBox.h"
#include "ui/win/SkinControl.h"
#include "ui/win/SkinFontSet.h"
#include "ui/win/SkinImageSet.h"
#include "ui/win/SkinListBox.h"
#include "ui/win/SkinScrollBar.h"
#include "ui/win/SkinSlider.h"

class MainWindowSkin {
 public:
  MainWindowSkin() = default;
  MainWindowSkin(const MainWindowSkin&) = delete;
  MainWindowSkin& operator=(const MainWindowSkin&) = delete;
  ~MainWindowSkin();

  // The skin's part of the window's initialisation, in order: images, the
  // two surfaces and the outline from the background, the controls placed
  // with their captions, the scroll bar beside the macro list, the window's
  // size (none while it starts hidden) and outline. `fonts` must outlive
  // the skin. False when the background is missing: the window then keeps
  // the system's look.
  bool Init(HWND dialog, const SkinStyle& style, const SkinFontSet& fonts, HCURSOR classCursor, bool startHidden);

  // Built from the style even when the background is missing.
  const SkinLayout& Layout() const { return layout; }
  // The background's size, which the window takes when it shows.
  SIZE Size() const { return SIZE{surface.Width(), surface.Height()}; }

  // Slider `id`, or null when the skin did not place one.
  SkinSlider* Slider(int id) const {
    const auto found = sliders.find(id);
    return found == sliders.end() ? nullptr : found->second.get();
  }

  // Button `id`, or null when the skin did not place one.
  SkinButton* Button(int id) const {
    const auto found = buttons.find(id);
    return found == buttons.end() ? nullptr : found->second.get();
  }

  // The next paint leaves the visible skinned controls alone.
  void SetControlsChanged() { controlsChanged = 1; }

  // WM_PAINT of the main window.
  void Paint(const PaintSnapshot& snapshot);

  // The answer to WM_CTLCOLOR* for `control`: white behind the three edit
  // controls, nothing (the skin shows through) behind every other.
  HBRUSH ControlBrush(HWND control) const;

 private:
  void PlaceControls();
  std::vector<int> VisibleControls() const;

  HWND window = nullptr;
  SkinImageSet images;
  SkinAssets assets;
  SkinLayout layout;
  CompositionSurface surface;
  int controlsChanged = 0;

  std::map<int, std::unique_ptr<SkinButton>> buttons;
  std::map<int, std::unique_ptr<SkinComboBox>> lists;
  std::map<int, std::unique_ptr<SkinSlider>> sliders;
  SkinListBox macroList;
  SkinScrollBar macroScroll;
};
