#pragma once
// The "DPI & Tools" page in the dialog: carries the DPI page model's effects
// out on the sliders, the tie box, the window's timers and the mouse, and
// answers the Enable button with the mouse's diagnostic registers.
#include <windows.h>

#include "app/DpiPage.h"
#include "app/UiText.h"
#include "app/win/MainWindowSkin.h"
#include "device/Connection.h"
#include "ui/PaintSnapshot.h"

class DpiPageControls {
 public:
  // Every reference must outlive this.
  DpiPageControls(HWND window, MainWindowSkin& skin, device::Connection& connection, UiText& texts)
      : window(window), skin(skin), connection(connection), texts(texts) {}

  // A posted action of the connection's view: the page follows the mouse's
  // arrival (its levels shown) and departure (the DPI controls disabled).
  void OnConnectionAction(WPARAM action, LPARAM value);
  // Message 11882 from slider `slider`.
  void OnSliderMoved(HWND slider);
  void OnTieClicked(bool checked);
  // A left click on the window while the page shows.
  void OnClick(int x, int y);
  // The page's timers (send, commit, resynchronisation); false for others.
  bool OnTimer(UINT_PTR id, bool pageShowing);
  // The Enable button: registers 0x00, 0x01 and 0x20 in a message box.
  void ShowRegisters();

  void FillSnapshot(PaintSnapshot& snapshot) const;

 private:
  void Apply(const DpiEffects& effects);
  int SliderPosition(int id) const;
  bool Busy() const { return connection.OperationBusy.load() || connection.ArrivalBusy.load(); }

  HWND window;
  MainWindowSkin& skin;
  device::Connection& connection;
  UiText& texts;
  DpiPage page;
};
