#pragma once
// The macro list drawn from the skin: skinned items, the background colour
// below the last one, and its scroll state mirrored on a separate scroll bar.
#include <windows.h>

#include "ui/HoverState.h"
#include "ui/ListBoxLook.h"
#include "ui/ListItemLook.h"
#include "ui/ScrollMirror.h"
#include "ui/SkinStyle.h"
#include "ui/win/SkinControl.h"
#include "ui/win/SkinScrollBar.h"

class SkinListBox : public SkinControl {
 public:
  // Skins `control`, which must be an owner-drawn list with strings
  // (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS): false for any other kind. The
  // list keeps its place and size; its items become `height` - 4 high when
  // that is positive and keep their height otherwise.
  bool Attach(HWND control, const SkinAssets& skinAssets, const ButtonStyle& style, int height,
              const ListColors& colors);

  // `bar` shows the list's vertical scroll range and position from now on;
  // it must outlive the list or be attached to another.
  void AttachScrollBar(SkinScrollBar* bar);

  // The item whose text shows in the text's shade.
  int MarkedItem() const { return marked; }
  void SetMarkedItem(int index);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void EraseBelowItems(HDC target);
  void PaintItem(const DRAWITEMSTRUCT& item);
  void MirrorScroll();

  ListBoxLook look;
  HoverState hover{false};
  ScrollMirror mirror;
  SkinScrollBar* scrollBar = nullptr;
  int marked = -1;
};
