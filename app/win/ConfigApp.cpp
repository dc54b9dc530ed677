#include "app/win/ConfigApp.h"

#include <winsock2.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/AppState.h"
#include "app/InstanceDecision.h"
#include "app/StartupSwitches.h"
#include "app/win/DeviceServices.h"
#include "app/win/MainDialog.h"
#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "res/resource.h"

namespace {

constexpr const wchar_t* kCloseEventName = L"Global\\VantorWriteEventClose";
constexpr const wchar_t* kShowEventName = L"Global\\VantorWriteEvent";
constexpr const wchar_t* kInstanceMutexName = L"Vantor Mouse 3";

// Sockets and GDI+ stay started for the life of the process.
class SocketsSession {
 public:
  SocketsSession() {
    WSADATA data;
    started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~SocketsSession() {
    if (started) WSACleanup();
  }
  SocketsSession(const SocketsSession&) = delete;
  SocketsSession& operator=(const SocketsSession&) = delete;
  bool started = false;
};

class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (started) Gdiplus::GdiplusShutdown(token);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

 private:
  ULONG_PTR token = 0;
  bool started = false;
};

}  // namespace

bool ConfigApp::CreateSignalEvent(const wchar_t* name, HANDLE& event) {
  event = CreateEventW(nullptr, TRUE, TRUE, name);
  if (GetLastError() != ERROR_ALREADY_EXISTS) {
    // This copy will be the one that listens.
    if (event) ResetEvent(event);
    return false;
  }
  HANDLE reopened = OpenEventW(EVENT_MODIFY_STATE, FALSE, name);
  if (event) CloseHandle(event);
  event = reopened;
  return true;
}

int ConfigApp::Run() {
  diag::Write("start: " + text::ToUtf8(FromWide(GetCommandLineW())));
  SocketsSession sockets;
  if (!sockets.started) {
    wchar_t message[256] = L"";
    LoadStringW(instance, IDS_SOCKETS_FAILED, message, 256);
    diag::Write("sockets start-up failed");
    MessageBoxW(nullptr, message, L"Vantor 3", MB_OK | MB_ICONSTOP);
    return 1;
  }

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const StartupSwitches switches = ParseStartupSwitches(FromWide(GetCommandLineW()));
  App.hideAtStart = switches.hide;
  App.closeRequested = switches.close;
  App.showTipAtStart = switches.showTip;
  diag::Writef("switches: hide=%d close=%d showtip=%d simulate=%d", switches.hide, switches.close,
               switches.showTip, switches.simulate ? switches.simulatedMice : 0);

  GdiplusSession gdiplus;

  if (CreateSignalEvent(kCloseEventName, closeEvent) && closeEvent && App.closeRequested) {
    PulseEvent(closeEvent);  // wakes the running copy's close thread
    CloseHandle(closeEvent);
    closeEvent = nullptr;
    diag::Write("close signal sent");
  }

  if (CreateSignalEvent(kShowEventName, showEvent)) {
    if (showEvent) {
      PulseEvent(showEvent);
      diag::Write("show signal sent; another copy runs, ending");
    } else {
      diag::Write("another copy runs but its show event cannot be opened, ending");
    }
    CloseNamedObjects();
    return 0;
  }

  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
  instanceMutex = CreateMutexW(&attributes, TRUE, kInstanceMutexName);
  const bool mutexExisted = GetLastError() == ERROR_ALREADY_EXISTS;
  switch (DecideAtInstanceMutex(mutexExisted, App.closeRequested)) {
    case InstanceAction::BroadcastAndEnd:
      diag::Write("instance mutex taken");
      Broadcast();
      return 0;  // this copy owns nothing that needs releasing
    case InstanceAction::BroadcastThenRelease:
      diag::Write("no running copy to close");
      Broadcast();
      break;
    case InstanceAction::RunMainWindow: {
      DeviceServices devices(switches);
      const wchar_t* simulatorLog = _wgetenv(L"VANTOR_SIM_LOG");
      if (devices.Simulator() && !simulatorLog) devices.Simulator()->SetLogging(false);
      const wchar_t* simulatorMemory = _wgetenv(L"VANTOR_SIM_MEMORY");
      if (simulatorMemory) devices.LoadSimulatorMemory(std::filesystem::path(FromWide(simulatorMemory)));
      {
        MainDialog dialog(instance, switches, showEvent, closeEvent, devices);
        dialog.Run();
      }
      if (simulatorLog) devices.WriteSimulatorLog(std::filesystem::path(FromWide(simulatorLog)));
      if (simulatorMemory) devices.SaveSimulatorMemory(std::filesystem::path(FromWide(simulatorMemory)));
      if (const wchar_t* times = _wgetenv(L"VANTOR_SIM_TIMES")) {
        devices.WriteSimulatorTimes(std::filesystem::path(FromWide(times)));
      }
      break;
    }
  }
  CloseNamedObjects();
  return 0;
}

void ConfigApp::Broadcast() const {
  const UINT message = static_cast<UINT>(BroadcastMessageFor(App.closeRequested));
  // Without a foreground window (a locked or empty desktop) the walk would
  // reach nobody; start from the top of the z-order instead.
  const HWND foreground = GetForegroundWindow();
  const HWND first = foreground ? GetWindow(foreground, GW_HWNDFIRST) : GetTopWindow(nullptr);
  int posted = 0;
  for (HWND window = first ? GetWindow(first, GW_HWNDNEXT) : nullptr; window;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (PostMessageW(window, message, 0, 0)) ++posted;
  }
  diag::Writef("broadcast %u to %d windows", message, posted);
}

void ConfigApp::CloseNamedObjects() {
  if (instanceMutex) {
    ReleaseMutex(instanceMutex);
    CloseHandle(instanceMutex);
    instanceMutex = nullptr;
  }
  for (HANDLE* event : {&showEvent, &closeEvent}) {
    if (*event) CloseHandle(*event);
    *event = nullptr;
  }
}
