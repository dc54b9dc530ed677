#pragma once
// What the five skinned controls share: the subclass of a dialog control
// (comctl32's SetWindowSubclass), notifications that the parent reflects back
// to the control, pointer tracking and the buffered paint through a portable
// look. A control stays attached until it or its window is destroyed.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Canvas.h"
#include "ui/HoverState.h"
#include "ui/win/OffscreenBuffer.h"
#include "ui/win/SkinFontSet.h"
#include "ui/win/SkinImageSet.h"

// What every skinned control draws and points with; owned by the main
// window and alive as long as the controls.
struct SkinAssets {
  const SkinImageSet* images = nullptr;
  const SkinFontSet* fonts = nullptr;
  HCURSOR hand = nullptr;          // cursor resource 107
  HCURSOR parentCursor = nullptr;  // the main window's own class cursor
};

// The text of item `index` of a list box or a combo box's list, read with
// that control's length and text messages (LB_GETTEXTLEN and LB_GETTEXT, or
// CB_GETLBTEXTLEN and CB_GETLBTEXT); empty when there is none.
std::u16string ListItemText(HWND control, UINT lengthMessage, UINT textMessage, int index);

// The program's hand cursor (resource 107), or the system's hand when the
// module carries none.
HCURSOR LoadSkinHandCursor(HMODULE module = nullptr);

class SkinControl {
 public:
  SkinControl() = default;
  SkinControl(const SkinControl&) = delete;
  SkinControl& operator=(const SkinControl&) = delete;
  virtual ~SkinControl();

  HWND Handle() const { return window; }

 protected:
  // Subclasses `control` and has its parent reflect notifications to it.
  bool Subclass(HWND control, const SkinAssets& skinAssets);
  void Detach();

  // The control's own handling of a message; `Default` passes it on.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // A notification the parent received from this control (WM_COMMAND,
  // WM_DRAWITEM, WM_CTLCOLOR...). True when the control answered it in
  // `result`; a WM_COMMAND reaches the parent's own handler either way.
  // By default the control colours are answered with the hollow brush.
  virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  void Repaint() const;
  // Mouse move and leave, left button down and up: updates `hover` and
  // applies what it asks for. False for any other message.
  bool TrackPointer(UINT message, HoverState& hover, bool overHandArea = true);
  // Shows the cursor `hover` chose; false when it chose none.
  bool ApplyCursor(const HoverState& hover) const;
  // WM_SETCURSOR: the chosen cursor over the client area; false where the
  // system's own cursor applies.
  bool AnswerSetCursor(LPARAM lParam, const HoverState& hover) const {
    return LOWORD(lParam) == HTCLIENT && ApplyCursor(hover);
  }

  // The client area's rectangle in the parent's client coordinates.
  RectI PlaceInParent() const;
  // Composes `paint` in the off-screen buffer and copies it to `target`.
  void PaintBuffered(HDC target, int width, int height, const std::function<void(Canvas&)>& paint);
  // Draws `paint` straight onto `target` (list items, erasing).
  void PaintDirect(HDC target, const std::function<void(Canvas&)>& paint) const;

  // For a control that paints itself whole: no erasing, WM_PAINT and
  // WM_PRINTCLIENT drawn by `paint`, the chosen cursor over the client area.
  // True when the message was answered in `result`.
  bool AnswerSelfPaint(UINT message, WPARAM wParam, LPARAM lParam, const HoverState& hover,
                       const std::function<void(HDC)>& paint, LRESULT& result) const;

  // Input, paint and timer messages: the ones that come through the message
  // queue, where the controls look at their state before handling them.
  static bool IsQueuedMessage(UINT message);

  std::u16string WindowText() const;
  void PostToParent(UINT message, WPARAM wParam) const;

  HWND window = nullptr;
  SkinAssets assets;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  static LRESULT CALLBACK ReflectorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR unused);

  OffscreenBuffer buffer;
};
