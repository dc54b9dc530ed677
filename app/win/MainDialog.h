#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

#include <memory>

#include "app/StartupFade.h"
#include "app/UiText.h"
#include "app/StartupSwitches.h"
#include "tilt/TiltAccumulator.h"
#include "tilt/win/TiltMutex.h"
#include "tilt/win/TiltScroller.h"
#include "ui/SkinStyle.h"
#include "ui/win/EditControlFonts.h"
#include "ui/win/SkinFontSet.h"

// The program's only main window: a modal dialog whose loop is the program's
// message loop. Closing it hides it; only the cancel path with `exitAllowed`
// ends it.
class MainDialog {
 public:
  MainDialog(HINSTANCE instance, const StartupSwitches& switches, HANDLE showEvent, HANDLE closeEvent);
  ~MainDialog();
  MainDialog(const MainDialog&) = delete;
  MainDialog& operator=(const MainDialog&) = delete;

  INT_PTR Run();

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

  BOOL OnInitDialog();
  void OnTimer(UINT_PTR id);
  void OnCommand(int id);
  void OnDestroy();
  void LoadLanguage();
  void ShowAndActivate();
  void ShowAbout();
  void EndProgram();

  void ShowSignalThread();
  void CloseSignalThread();

  HINSTANCE instance;
  StartupSwitches switches;
  HANDLE showEvent;
  HANDLE closeEvent;
  HWND window = nullptr;
  StartupFade fade;
  HANDLE tiltWaitEvent = nullptr;
  HANDLE stopThreads = nullptr;  // ends the signal threads when the window goes
  HMENU trayMenu = nullptr;
  HCURSOR classCursor = nullptr;
  std::thread showThread;
  std::thread closeThread;
  SkinFontSet skinFonts;
  UiText uiText;
  SkinStyle skinStyle;
  EditControlFonts editFonts;
  TiltAccumulator tiltAccumulator;
  TiltMutex tiltMutex;
  std::unique_ptr<TiltScroller> tiltScroller;
};

// The one main window, published for worker threads.
extern std::atomic<MainDialog*> PublishedMainDialog;
