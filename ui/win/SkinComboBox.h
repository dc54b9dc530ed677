#pragma once
// A dialog drop-down list drawn from the skin: a rounded field with the
// chosen item and the skin's arrow, and skinned items in the open list.
#include <windows.h>

#include "ui/ComboLook.h"
#include "ui/DropDownWidth.h"
#include "ui/HoverState.h"
#include "ui/ListItemLook.h"
#include "ui/SkinStyle.h"
#include "ui/win/SkinControl.h"

class SkinComboBox : public SkinControl {
 public:
  ~SkinComboBox() override;

  // Skins `control`, which must be an owner-drawn drop-down list with
  // strings (CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS): false
  // for any other kind. Moves it to (x, y), `width` x `height`, with rounded
  // corners; the style's images are the arrow, its font the text's.
  bool Attach(HWND control, const SkinAssets& skinAssets, const ButtonStyle& style, int x, int y, int width,
              int height, const ListColors& colors);

  // The chosen item, whose text the open list shows in the text's shade.
  int MarkedItem() const { return current; }
  void SetMarkedItem(int index);

  // The rounded outline in the parent, for the parent's paint to leave out;
  // owned by the control.
  HRGN ParentRegion() const { return parentRegion; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Paint(HDC target);
  void PaintItem(const DRAWITEMSTRUCT& item);
  void WidenDropDown();
  int SelectedIndex() const;

  ComboLook look;
  HoverState hover{false};
  DropDownWidth dropDownWidth;
  RectI place;
  int current = -1;
  bool dropped = false;
  HRGN parentRegion = nullptr;
};
