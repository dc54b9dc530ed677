#pragma once
// Everything the main window holds besides its handle: the language's fonts,
// texts and skin, the tray icon, the tilt scroller and its mutex, the macro
// library, the mouse session, the simulated hand, the controller and the
// applier. Built in the window's initialisation, in dependency order, and
// taken apart in the reverse order.
#include <windows.h>
// <windows.h> maps LoadLibrary to the system's DLL loader; here it is the
// macro library's.
#undef LoadLibrary

#include <memory>

#include "app/MouseSession.h"
#include "app/SimulatorHand.h"
#include "app/StartupSwitches.h"
#include "app/UiText.h"
#include "app/WindowController.h"
#include "app/win/ActionApplier.h"
#include "app/win/DeviceServices.h"
#include "app/win/ForegroundWatch.h"
#include "app/win/InstanceSignals.h"
#include "app/win/MainWindowSkin.h"
#include "app/win/PostedConnectionEvents.h"
#include "app/win/TrayIcon.h"
#include "device/win/WinHostInput.h"
#include "device/win/WinSlotTimer.h"
#include "macro/KeyNames.h"
#include "macro/LibraryView.h"
#include "macro/MacroLibrary.h"
#include "base/FilePlace.h"
#include "macro/ProfileRules.h"
#include "macro/win/WinKeyNameSource.h"
#include "tilt/TiltAccumulator.h"
#include "tilt/win/TiltMutex.h"
#include "tilt/win/TiltScroller.h"
#include "ui/SkinStyle.h"
#include "ui/win/EditControlFonts.h"
#include "ui/win/SkinFontSet.h"

struct WindowParts {
  WindowParts(DeviceServices& devices, HANDLE showEvent, HANDLE closeEvent)
      : devices(devices), signals(showEvent, closeEvent) {}
  ~WindowParts();
  WindowParts(const WindowParts&) = delete;
  WindowParts& operator=(const WindowParts&) = delete;

  // The window's initialisation after its own settings: language, skin,
  // tray, library and mouse session, controller; then the threads.
  void Build(HWND window, HINSTANCE instance);
  // The window is being destroyed: every thread ends, the mice are handed
  // back, the tray icon goes.
  void TakeDown();

  DeviceServices& devices;
  HWND window = nullptr;
  HCURSOR classCursor = nullptr;
  SkinFontSet skinFonts;
  UiText uiText;
  SkinStyle skinStyle;
  EditControlFonts editFonts;
  MainWindowSkin skin;
  bool skinned = false;
  TrayIcon tray;
  HANDLE tiltWaitEvent = nullptr;
  TiltAccumulator tiltAccumulator;
  TiltMutex tiltMutex;
  std::unique_ptr<TiltScroller> tiltScroller;
  MacroLibrary library;
  LibraryView libraryView;
  // The editor's key names, from the keyboard layout and the program's scan-code table.
  WinKeyNameSource keyNameSource;
  KeyNames keyNames{LoadScanCodeTableResource, keyNameSource};
  device::WinHostInput hostInput;
  device::WinSlotTimerFactory slotTimers;
  std::unique_ptr<PostedConnectionEvents> connectionEvents;
  std::unique_ptr<MouseSession> session;
  std::unique_ptr<SimulatorHand> hand;
  std::unique_ptr<WindowController> controller;
  std::unique_ptr<ActionApplier> applier;
  InstanceSignals signals;
  ForegroundWatch foreground;
  FilePlace rulesPlace;

 private:
  void LoadLanguage();
  void StartSession();
  void LoadProfileRules();
};
