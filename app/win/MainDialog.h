#pragma once
#include <windows.h>
// <windows.h> maps LoadLibrary to the system's DLL loader; here it is the
// macro library's.
#undef LoadLibrary

#include <atomic>
#include <thread>

#include <memory>

#include "app/MainWindowModel.h"
#include "app/UiText.h"
#include "app/SimulatorScript.h"
#include "app/TrayClicks.h"
#include "app/win/ButtonPage.h"
#include "app/win/DeviceOperationWorker.h"
#include "app/win/DeviceServices.h"
#include "app/win/DpiPageControls.h"
#include "app/win/MainWindowSkin.h"
#include "app/win/OperationActions.h"
#include "app/win/TrayIcon.h"
#include "app/win/WindowConnectionView.h"
#include "device/Connection.h"
#include "device/MacroPlayers.h"
#include "device/MouseNotifications.h"
#include "device/PlaybackTrigger.h"
#include "device/win/WinHostInput.h"
#include "device/win/WinSlotTimer.h"
#include "macro/LibraryView.h"
#include "macro/MacroLibrary.h"
#include "macro/SoftwareProfiles.h"
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
  MainDialog(HINSTANCE instance, const StartupSwitches& switches, HANDLE showEvent, HANDLE closeEvent,
             DeviceServices& devices);
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
  void StartDeviceWork();
  void OnRawInput(HRAWINPUT input);
  void ApplySimulatorAction(const SimulatorAction& action);
  void SimulatorScriptThread(std::string script);
  void WaitForArrivalToEnd();
  void ShowAndActivate();
  void OnTrayNotify(int iconId, int mouseMessage);
  void RereadLevels();
  void HideToTray(const char* why);
  void ShowAbout();
  void EndProgram();

  void ShowSignalThread();
  void CloseSignalThread();

  // The skinned window and its controller: initialisation, the messages
  // they take, the actions the controller asks for, the state it shows.
  void InitSkin();
  void StartController();
  bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& answer);
  void ReportVisibility();
  void ApplyActions(const WindowActions& actions);
  void HideAndCenter();
  PaintSnapshot Snapshot() const;
  // The button page's share of the window's messages.
  void StartButtonPage();
  bool OnButtonPageMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The "DPI & Tools" page's share of the window's messages.
  bool OnDpiPageMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Backup, Restore and Reset: their own actions, and the worker's reports
  // handed to the controller.
  void StartOperations();
  void OnOperationReport(WPARAM report, LPARAM value);
  void OnOperationEnded();

  HINSTANCE instance;
  StartupSwitches switches;
  HANDLE showEvent;
  HANDLE closeEvent;
  DeviceServices& devices;
  HWND window = nullptr;
  HANDLE tiltWaitEvent = nullptr;
  HANDLE stopThreads = nullptr;  // ends the signal threads when the window goes
  TrayIcon tray;
  TrayClicks trayClicks;
  HCURSOR classCursor = nullptr;
  std::thread showThread;
  std::thread closeThread;
  SkinFontSet skinFonts;
  UiText uiText;
  SkinStyle skinStyle;
  EditControlFonts editFonts;
  MainWindowSkin skin;
  bool skinned = false;
  std::unique_ptr<MainWindowModel> model;
  std::unique_ptr<DeviceOperationWorker> operationWorker;
  std::unique_ptr<OperationActions> operationActions;
  bool reportedShown = false;
  bool trackingPointer = false;
  std::uint64_t timerMessages = 0;  // every WM_TIMER the window received
  TiltAccumulator tiltAccumulator;
  TiltMutex tiltMutex;
  std::unique_ptr<TiltScroller> tiltScroller;

  MacroLibrary library;
  LibraryView libraryView;
  device::WinHostInput hostInput;
  device::WinSlotTimerFactory slotTimers;
  std::unique_ptr<device::MacroPlayers> players;
  std::unique_ptr<SoftwareProfiles> profiles;
  std::unique_ptr<WindowConnectionView> connectionView;
  std::unique_ptr<DpiPageControls> dpiControls;
  std::unique_ptr<device::Connection> connection;
  std::unique_ptr<PlaybackTrigger> trigger;
  std::unique_ptr<device::MouseNotifications> notifications;
  std::unique_ptr<ButtonPage> buttonPage;
  std::array<std::uint16_t, 2> simulatedButtons{};
  std::thread scriptThread;
};

// The one main window, published for worker threads.
extern std::atomic<MainDialog*> PublishedMainDialog;
