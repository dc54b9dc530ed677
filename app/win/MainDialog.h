#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/StartupSwitches.h"
#include "app/WindowEvent.h"
#include "app/win/DeviceServices.h"
#include "app/win/MessageDecoder.h"
#include "app/win/WindowParts.h"

// The program's only main window: a modeless dialog whose message loop is
// the program's. Every message of the window's thread passes the controller
// before it is dispatched, so keys and raw input are seen first. The dialog
// only translates messages into events and hands the controller's actions
// to the applier. Closing the window hides it; only the controller ends it.
class MainDialog {
 public:
  MainDialog(HINSTANCE instance, const StartupSwitches& switches, HANDLE showEvent, HANDLE closeEvent,
             DeviceServices& devices);
  MainDialog(const MainDialog&) = delete;
  MainDialog& operator=(const MainDialog&) = delete;

  // Runs the window's message loop until the window is destroyed.
  int Run();

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Messages looked at before dispatch; true when taken.
  bool PreTranslate(const MSG& message);
  BOOL OnInitDialog();
  // Hands `event` to the controller and applies its actions; true when taken.
  bool Send(const WindowEvent& event);
  // Send for a message the window takes whatever the controller does.
  bool Take(const WindowEvent& event);
  bool Answer(LONG_PTR result);
  void ReportVisibility();

  HINSTANCE instance;
  StartupSwitches switches;
  HWND window = nullptr;
  WindowParts parts;
  bool reportedShown = false;
  MessageDecoder decoder;
  std::uint64_t timerMessages = 0;  // every WM_TIMER the window received
};
