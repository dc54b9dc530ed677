#include "app/win/MainDialog.h"

#include <commctrl.h>
#include <dbt.h>
#include <windowsx.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/AppState.h"
#include "app/IniPath.h"
#include "app/Notice.h"
#include "app/PrivateMessages.h"
#include "app/ProgramDir.h"
#include "app/WindowSnapshot.h"
#include "app/win/LanguageSetting.h"
#include "app/win/LibraryLocation.h"
#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "base/win/PrivateProfileIni.h"
#include "device/SensorListing.h"
#include "macro/LibraryFile.h"
#include "macro/MacroDirectory.h"
#include "res/resource.h"

std::atomic<MainDialog*> PublishedMainDialog{nullptr};

namespace {

// Asks the window to log how many timer messages it has received (the
// wake-up figures of the bench read it): WM_APP + 10 = 32778.
constexpr UINT kMsgReportWakeUps = WM_APP + 10;
constexpr UINT_PTR kTimerBalloon = 199;
constexpr UINT kBalloonDelayMs = 500;
constexpr UINT_PTR kTimerTrayMenu = 202;

// Posted by the show-signal thread so that every window call of a "show"
// runs on the window's own thread; the step number rides in wParam.
constexpr UINT kMsgShowStep = WM_APP + 1;
// A simulated mouse's action (simulated mode only): wParam the kind, lParam
// the packed mouse and value of SimulatorScript.
constexpr UINT kMsgSimulatorAction = WM_APP + 2;
enum ShowStep { kStepShow, kStepForeground, kStepTop };

// Waits `ms` milliseconds unless the window is going away.
bool PauseUnlessStopped(HANDLE stop, DWORD ms) {
  return WaitForSingleObject(stop, ms) == WAIT_TIMEOUT;
}

}  // namespace

MainDialog::MainDialog(HINSTANCE instance, const StartupSwitches& switches, HANDLE showEvent, HANDLE closeEvent,
                       DeviceServices& devices)
    : instance(instance), switches(switches), showEvent(showEvent), closeEvent(closeEvent), devices(devices) {
  stopThreads = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

MainDialog::~MainDialog() {
  if (stopThreads) CloseHandle(stopThreads);
}

INT_PTR MainDialog::Run() {
  const INT_PTR result =
      DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, Proc, reinterpret_cast<LPARAM>(this));
  diag::Writef("main window ended (%d)", static_cast<int>(result));
  return result;
}

INT_PTR CALLBACK MainDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<MainDialog*>(lParam);
    self->window = window;
    SetWindowLongPtrW(window, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<MainDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  }
  return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR MainDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR answer = FALSE;
  if (OnButtonPageMessage(message, wParam, lParam)) return TRUE;
  if (OnWindowMessage(message, wParam, lParam, answer)) return answer;
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_TIMER:
      ++timerMessages;
      OnTimer(wParam);
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
        ShowAbout();
        return TRUE;
      }
      return FALSE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINICON)));
    case WM_CLOSE:
      // The window's close button only hides it; the program lives on.
      HideToTray("window hidden by close");
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case WM_INPUT:
      OnRawInput(reinterpret_cast<HRAWINPUT>(lParam));
      return FALSE;
    case WM_DEVICECHANGE:
      if (connection) connection->OnDeviceChange(wParam);
      return FALSE;
    case WindowConnectionView::kMessage:
      // The DPI page shows the levels itself, quietly, so the sliders do not
      // report them back as the user's moves.
      if (!dpiControls || wParam != WindowConnectionView::kSteps) {
        if (connectionView) connectionView->Apply(wParam, lParam);
      }
      if (dpiControls) dpiControls->OnConnectionAction(wParam, lParam);
      return TRUE;
    case WindowConnectionView::kCreateTiltMutexMessage:
      tiltMutex.AcquireAtArrival();
      SetWindowLongPtrW(window, DWLP_MSGRESULT, tiltMutex.Owned() ? 1 : 0);
      return TRUE;
    case kMsgSimulatorAction: {
      SimulatorAction action;
      if (UnpackSimulatorAction(static_cast<std::uint32_t>(wParam), static_cast<std::int64_t>(lParam), action)) {
        ApplySimulatorAction(action);
      }
      return TRUE;
    }
    case DeviceOperationWorker::kProgressMessage:
      OnOperationReport(wParam, lParam);
      return TRUE;
    case DeviceOperationWorker::kEndedMessage:
      OnOperationEnded();
      return TRUE;
    case WM_SETCURSOR:
      if (!operationActions || !operationActions->OnSetCursor()) return FALSE;
      SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case kMsgShowStep:
      if (wParam == kStepShow) ShowWindow(window, SW_SHOWNORMAL);
      if (wParam == kStepForeground) SetForegroundWindow(window);
      if (wParam == kStepTop) BringWindowToTop(window);
      return TRUE;
    default:
      break;
  }
  if (message == static_cast<UINT>(kMsgTrayNotify)) {
    OnTrayNotify(static_cast<int>(wParam), static_cast<int>(lParam));
    return TRUE;
  }
  if (tray.IsTaskbarCreated(message)) {
    tray.AddAgain();
    return TRUE;
  }
  if (message == static_cast<UINT>(kMsgShowWindow)) {
    diag::Write("show message received");
    ShowAndActivate();
    return TRUE;
  }
  if (message == static_cast<UINT>(kMsgReleaseTiltMutex)) {
    diag::Write("tilt mutex released on request");
    tiltMutex.Release();
    if (connection) connection->TiltMutexOwned = false;
    return TRUE;
  }
  if (message == static_cast<UINT>(kMsgEndProgram)) {
    diag::Write("end message received");
    EndProgram();
    return TRUE;
  }
  return FALSE;
}

BOOL MainDialog::OnInitDialog() {
  diag::Write("main window initialising");

  if (HMENU systemMenu = GetSystemMenu(window, FALSE)) {
    wchar_t about[128] = L"";
    if (LoadStringW(instance, IDS_ABOUTBOX, about, 128) > 0) {
      AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
      AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
    }
  }

  const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINICON));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

  tiltWaitEvent = CreateEventW(nullptr, TRUE, TRUE, L"LocalTiltWaitEvent");
  if (tiltWaitEvent) ResetEvent(tiltWaitEvent);

  // The window starts without the layered bit: flipping it makes the window
  // invisible until the fade gives it an opacity.
  SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) ^ WS_EX_LAYERED);

  App.languageFile = ReadLanguageSetting();

  SendDlgItemMessageW(window, IDC_NAME_EDIT, EM_LIMITTEXT, 64, 0);

  PublishedMainDialog = this;
  classCursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR));
  tray.HoldMenu(instance);

  RAWINPUTDEVICE vendor{0xFF03, 0x0001, RIDEV_INPUTSINK, window};
  if (!RegisterRawInputDevices(&vendor, 1, sizeof vendor)) {
    diag::Writef("raw input registration failed (%lu)", GetLastError());
    MessageBoxW(window, L"error", L"Vantor 3", MB_OK);
  }

  wchar_t modulePath[511] = L"";
  GetModuleFileNameW(nullptr, modulePath, 510);
  App.programDir = ProgramDirFromModulePath(FromWide(modulePath));
  diag::Write("program folder: " + text::ToUtf8(App.programDir));

  std::u16string listing;
  if (device::ReadSensorListing(device::kSensorListingFile, listing)) {
    SetDlgItemTextW(window, IDC_SENSOR_LISTING, ToWide(listing).c_str());
  }
  LoadLanguage();
  InitSkin();
  tray.Add(window, instance);
  if (App.showTipAtStart) SetTimer(window, kTimerBalloon, kBalloonDelayMs, nullptr);

  SetForegroundWindow(window);

  StartDeviceWork();
  SetTimer(window, device::kRescanTimer, device::kRescanFirstMs, nullptr);
  StartController();
  StartOperations();

  showThread = std::thread(&MainDialog::ShowSignalThread, this);
  closeThread = std::thread(&MainDialog::CloseSignalThread, this);
  tiltScroller = std::make_unique<TiltScroller>(tiltAccumulator, tiltWaitEvent);
  tiltScroller->Start();

  diag::Write("main window ready");
  return TRUE;
}

// Fonts first, then the texts (they name fonts), then the skin's keys (they
// name texts); the tray menu takes its two texts from the table.
void MainDialog::LoadLanguage() {
  // The bytes of the device memory that hold macros, which the memory texts share out.
  constexpr int kMacroAreaBytes = 5888;
  const std::u16string iniPath = LanguageIniPath(App.programDir, App.languageFile);
  diag::Write("language file: " + text::ToUtf8(iniPath));
  const PrivateProfileIni ini(ToWide(iniPath));
  skinFonts.Build(LoadSkinFonts(ini));
  uiText = LoadUiText(ini, kMacroAreaBytes);
  skinStyle = LoadSkinStyle(ini);
  editFonts.Create(EditControlFont(FromWide(skinFonts.FamilyName(5))),
                   EditControlFont(FromWide(skinFonts.FamilyName(uiText.functionNameFonts[0]))));
  SendDlgItemMessageW(window, IDC_NAME_EDIT, WM_SETFONT, reinterpret_cast<WPARAM>(editFonts.NameEditorFont()), FALSE);
  for (int id : {IDC_RENAME_EDIT, IDC_NUMBER_EDIT}) {
    SendDlgItemMessageW(window, id, WM_SETFONT, reinterpret_cast<WPARAM>(editFonts.MacroEditorFont()), FALSE);
  }
  tray.SetMenuTexts(uiText.trayMenuTexts[0], uiText.trayMenuTexts[1]);
}

// The library, the per-mouse settings, the players and the connection; the
// first tick of the rescan timer then finds the mouse.
void MainDialog::StartDeviceWork() {
  const LibraryPlace place = LocateLibrary(App.programDir);
  const LibraryLoadReport loaded = LoadLibraryAt(place, library, libraryView, std::time(nullptr));
  diag::Writef("library: %d (0 loaded, 1 missing, 2 unreadable, 3 wrong magic, 4 damaged)",
               static_cast<int>(loaded.result));
  if (!loaded.keptAside.empty()) diag::Write("library: damaged file kept as " + loaded.keptAside.u8string());
  // Said once, at the start: every change of this run goes where it names.
  if (const std::optional<Notice> notice = LibraryLoadNotice(uiText, loaded, place.readFrom)) {
    MessageBoxW(window, ToWide(notice->text).c_str(), ToWide(notice->caption).c_str(), MB_OK | MB_ICONWARNING);
  }

  players = std::make_unique<device::MacroPlayers>(devices.Link(), hostInput, slotTimers);
  profiles = std::make_unique<SoftwareProfiles>(library, place.saveTo);
  profiles->SetUnknownModeText(uiText.labels[34].text);
  connectionView = std::make_unique<WindowConnectionView>(window);
  connectionView->TieClicked(IsDlgButtonChecked(window, IDC_TIE_XY) == BST_CHECKED);
  connection = std::make_unique<device::Connection>(devices.Link(), *connectionView, *profiles, *players);
  trigger = std::make_unique<PlaybackTrigger>(*profiles, *players, connection->OperationBusy);
  notifications = std::make_unique<device::MouseNotifications>(
      *connection, tiltAccumulator, [this] { PulseEvent(tiltWaitEvent); }, *trigger);
  StartButtonPage();
  connection->RequestRescan();

  if (devices.Simulator()) {
    if (const wchar_t* scriptFile = _wgetenv(L"VANTOR_SIM_SCRIPT")) {
      std::ifstream in(std::filesystem::path(FromWide(scriptFile)), std::ios::binary);
      std::ostringstream text;
      text << in.rdbuf();
      scriptThread = std::thread(&MainDialog::SimulatorScriptThread, this, text.str());
    }
  }
}

void MainDialog::OnRawInput(HRAWINPUT input) {
  UINT size = 0;
  if (GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0) return;
  std::vector<BYTE> buffer(size);
  if (GetRawInputData(input, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER)) != size) return;
  const auto* raw = reinterpret_cast<const RAWINPUT*>(buffer.data());
  if (raw->header.dwType != RIM_TYPEHID || raw->data.hid.dwSizeHid != device::kNotificationLength) return;
  // The reports follow the header inside the buffer we own; never trust the
  // count beyond what the buffer holds.
  const size_t offset = static_cast<size_t>(raw->data.hid.bRawData - buffer.data());
  for (DWORD i = 0; i < raw->data.hid.dwCount; ++i) {
    const size_t at = offset + i * device::kNotificationLength;
    if (at + device::kNotificationLength > buffer.size()) break;
    if (notifications) notifications->OnMouseNotification(buffer.data() + at, device::kNotificationLength);
  }
}

void MainDialog::ApplySimulatorAction(const SimulatorAction& action) {
  sim::SimulatedHidPort* simulator = devices.Simulator();
  if (!simulator || !notifications || action.mouse >= simulator->MouseCount()) return;
  const auto mouse = static_cast<size_t>(action.mouse);
  sim::NotificationReport report{};
  using Kind = SimulatorAction::Kind;
  switch (action.kind) {
    case Kind::kButtons:
      simulatedButtons[mouse] = static_cast<std::uint16_t>(action.value);
      report = simulator->InputReport(action.mouse, simulatedButtons[mouse]);
      break;
    case Kind::kWheel:
      report = simulator->InputReport(action.mouse, simulatedButtons[mouse], static_cast<std::int8_t>(action.value));
      break;
    case Kind::kTilt:
      report = simulator->InputReport(action.mouse, simulatedButtons[mouse], 0, static_cast<std::int8_t>(action.value));
      break;
    case Kind::kLevel:
      report = simulator->LevelChangeReport(action.mouse, action.value);
      break;
    case Kind::kUnplug:
    case Kind::kReplug:
      if (action.kind == Kind::kUnplug) simulator->Unplug(action.mouse);
      if (action.kind == Kind::kReplug) simulator->Replug(action.mouse);
      diag::Writef("simulator: mouse %d %s", action.mouse, action.kind == Kind::kUnplug ? "unplugged" : "replugged");
      if (connection) connection->OnDeviceChange(device::kDevNodesChanged);
      return;
    default:
      return;
  }
  diag::Writef("simulator: report %02X %02X %02X %02X %02X %02X %02X %02X", report[0], report[1], report[2],
               report[3], report[4], report[5], report[6], report[7]);
  notifications->OnMouseNotification(report.data(), report.size());
}

// Plays a simulator script: waits here, every other action is posted to the
// window, whose thread receives the mouse's reports in the program.
void MainDialog::SimulatorScriptThread(std::string scriptText) {
  const SimulatorScript script = ParseSimulatorScript(scriptText);
  if (!script.error.empty()) {
    diag::Write("simulator script refused: " + script.error);
    return;
  }
  diag::Writef("simulator script: %d actions", static_cast<int>(script.actions.size()));
  for (const SimulatorAction& action : script.actions) {
    if (action.kind == SimulatorAction::Kind::kWait) {
      if (WaitForSingleObject(stopThreads, static_cast<DWORD>(action.value)) != WAIT_TIMEOUT) return;
    } else if (action.kind == SimulatorAction::Kind::kAwaitReady) {
      while (!connection->DeviceReady || connection->ArrivalBusy) {
        if (WaitForSingleObject(stopThreads, 10) != WAIT_TIMEOUT) return;
      }
    } else {
      PostMessageW(window, kMsgSimulatorAction, PackSimulatorAction(action),
                   static_cast<LPARAM>(PackSimulatorValue(action)));
    }
  }
  diag::Write("simulator script done");
}

void MainDialog::WaitForArrivalToEnd() {
  // The arrival thread may be waiting for this thread (the tilt mutex), so
  // keep answering messages until it is done.
  while (connection && connection->ArrivalBusy) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
}

void MainDialog::OnTimer(UINT_PTR id) {
  if (id == static_cast<UINT_PTR>(device::kRescanTimer)) {
    if (connection) connection->OnRescanTimer();
    return;
  }
  if (id == static_cast<UINT_PTR>(device::kMouseRefreshTimer)) {
    KillTimer(window, id);
    // Arrival enables the DPI and profile controls itself; the button lists
    // follow once the mouse's settings are there.
    if (profiles && profiles->ProfileCount() >= 1 && connectionView) connectionView->EnableDeviceControls(true);
    InvalidateRect(window, nullptr, FALSE);
    return;
  }
  if (id == kTimerTrayMenu) {
    KillTimer(window, id);
    if (trayClicks.OnMenuTimer()) tray.ShowMenu();
    return;
  }
  if (id == kTimerBalloon) {
    KillTimer(window, id);
    SetForegroundWindow(window);
    tray.ShowBalloon(uiText.versionLabel.text);
    return;
  }
  if (dpiControls && dpiControls->OnTimer(id, model && model->CurrentTab() == 1)) return;
  // The controller's timers: the start-up fade, the countdowns and the
  // in-window animations.
  if (model) ApplyActions(model->OnTimer(static_cast<int>(id)));
}

void MainDialog::OnCommand(int id) {
  switch (id) {
    case IDOK:
      break;  // Enter does not close the window
    case IDCANCEL:
      if (App.exitAllowed) EndDialog(window, IDCANCEL);
      break;
    case IDC_MINIMIZE:
      ShowWindow(window, SW_MINIMIZE);
      break;
    case IDC_TIE_XY:
      if (connectionView) connectionView->TieClicked(IsDlgButtonChecked(window, IDC_TIE_XY) == BST_CHECKED);
      if (dpiControls) dpiControls->OnTieClicked(IsDlgButtonChecked(window, IDC_TIE_XY) == BST_CHECKED);
      break;
    case IDC_ENABLE:
      if (dpiControls) dpiControls->ShowRegisters();
      break;
    case IDC_HIDE:
      HideToTray("window hidden to the tray");
      break;
    case IDC_BACKUP:
    case IDC_RESTORE:
    case IDC_RESET:
      if (model) ApplyActions(model->OnCommand(id));
      break;
    case ID_TRAY_RESTORE:
      // The levels are not read on this path, unlike a double click.
      diag::Write("tray menu: restore");
      ShowAndActivate();
      break;
    case ID_TRAY_EXIT:
      diag::Write("tray menu: exit");
      EndProgram();
      break;
    default:
      break;
  }
}

void MainDialog::OnDestroy() {
  SetEvent(stopThreads);
  if (showThread.joinable()) showThread.join();
  if (closeThread.joinable()) closeThread.join();
  if (scriptThread.joinable()) scriptThread.join();
  if (operationWorker) operationWorker->WaitAnswering();
  WaitForArrivalToEnd();
  if (connection) connection->Shutdown();
  if (tiltScroller) tiltScroller->Stop();
  tiltMutex.Release();
  PublishedMainDialog = nullptr;
  tray.Remove();
  if (tiltWaitEvent) CloseHandle(tiltWaitEvent);
  tiltWaitEvent = nullptr;
}

void MainDialog::ShowAndActivate() {
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

void MainDialog::HideToTray(const char* why) {
  ShowWindow(window, SW_HIDE);
  diag::Write(why);
}

void MainDialog::OnTrayNotify(int iconId, int mouseMessage) {
  if (mouseMessage != WM_MOUSEMOVE) diag::Writef("tray notification %d 0x%X", iconId, static_cast<unsigned>(mouseMessage));
  const TrayAction action = trayClicks.OnNotify(iconId, mouseMessage, IsWindowVisible(window) != FALSE);
  if (action.stopMenuTimer) KillTimer(window, kTimerTrayMenu);
  if (action.startMenuTimerMs > 0) SetTimer(window, kTimerTrayMenu, static_cast<UINT>(action.startMenuTimerMs), nullptr);
  if (action.rereadLevels) RereadLevels();
  if (action.restoreWindow) {
    diag::Write("tray double click: restore");
    ShowWindow(window, SW_SHOWNORMAL);
    BringWindowToTop(window);
    SetForegroundWindow(window);
  }
}

// A hidden window has not followed level changes made elsewhere; read the
// four levels before it shows. Without a mouse there is nothing to read, and
// a failed read would show zeros.
void MainDialog::RereadLevels() {
  if (!connection || !connectionView || !connection->DeviceReady || connection->ArrivalBusy) return;
  connection->ReadLevels();
  const device::LevelTable levels = connection->LevelSteps.Get();
  const int current = std::min(std::max(connection->CurrentLevelIndex.load(), 0), device::kLevelCount - 1);
  const device::LevelSteps& shown = levels[static_cast<size_t>(current)];
  connectionView->ShowLevelSteps(shown.x, shown.y);
  diag::Write("levels re-read for the hidden window");
}

void MainDialog::ShowAbout() {
  DialogBoxParamW(
      instance, MAKEINTRESOURCEW(IDD_ABOUT), window,
      [](HWND box, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) return TRUE;
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
          EndDialog(box, LOWORD(wParam));
          return TRUE;
        }
        return FALSE;
      },
      0);
}

void MainDialog::EndProgram() {
  App.exitAllowed = 1;
  EndDialog(window, IDCANCEL);
}

void MainDialog::ShowSignalThread() {
  if (!showEvent) return;
  const HANDLE waits[] = {stopThreads, showEvent};
  for (int signal = 1; signal <= kShowSignalsAnswered; ++signal) {
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
    diag::Writef("show signal %d", signal);
    if (!IsWindowVisible(window)) RereadLevels();
    if (!PauseUnlessStopped(stopThreads, 100)) return;
    PostMessageW(window, kMsgShowStep, kStepShow, 0);
    if (!PauseUnlessStopped(stopThreads, 100)) return;
    PostMessageW(window, kMsgShowStep, kStepForeground, 0);
    if (!PauseUnlessStopped(stopThreads, 100)) return;
    PostMessageW(window, kMsgShowStep, kStepTop, 0);
    if (!PauseUnlessStopped(stopThreads, 100)) return;
    diag::Writef("show signal %d answered", signal);
  }
  diag::Write("show signals exhausted");
}

void MainDialog::CloseSignalThread() {
  if (!closeEvent) return;
  const HANDLE waits[] = {stopThreads, closeEvent};
  if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
  diag::Write("close signal");
  App.exitAllowed = 1;
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

void MainDialog::InitSkin() {
  skinned = skin.Init(window, skinStyle, skinFonts, classCursor, App.hideAtStart);
}

// The controller needs the connection's busy flag, so it starts after the
// device work; the fade then begins when the dialog first shows.
void MainDialog::StartController() {
  MainWindowSetup setup;
  setup.hideAtStart = App.hideAtStart;
  setup.tooltipExtraWidth = uiText.tooltipExtraWidth;
  model = std::make_unique<MainWindowModel>(connection->OperationBusy, skin.Layout(), std::move(setup));
  dpiControls = std::make_unique<DpiPageControls>(window, skin, *connection, uiText);
  ApplyActions(model->Start());
}

PaintSnapshot MainDialog::Snapshot() const {
  MemoryFigures memory;
  memory.macroAreaBytes = kMacroAreaSize;
  memory.freeBytes = kMacroAreaSize;
  PaintSnapshot snapshot = WindowSnapshot(*model, uiText, memory);
  if (buttonPage) buttonPage->Fill(snapshot, memory, model->Fades().PanelAlpha());
  if (dpiControls) dpiControls->FillSnapshot(snapshot);
  return snapshot;
}

// Each arrival reads the mouse's macros and names for the lists, on the
// arrival thread, before the window hears that the mouse is ready.
void MainDialog::StartButtonPage() {
  buttonPage = std::make_unique<ButtonPage>(window, *connection, uiText);
  connection->AfterArrival = [this](const device::DevicePath& path) { buttonPage->ReadMouse(path); };
}

bool MainDialog::OnButtonPageMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!buttonPage) return false;
  if (message == ButtonPage::kMsgMouseRead) {
    buttonPage->OnMouseRead();
    return true;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
    return buttonPage->OnSelectionChange(LOWORD(wParam));
  }
  if (!model || model->CurrentTab() != 0) return false;
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  const int alpha = model->Fades().PanelAlpha();
  if (message == WM_MOUSEMOVE && alpha > 0 && kPalettePanel.Contains(x, y)) {
    ApplyActions(model->HoldHoverPanel(ButtonPage::kPaletteSeconds));
    return false;  // the controller still follows the pointer
  }
  int hold = 0;
  if (message == WM_LBUTTONDOWN && buttonPage->OnClick(x, y, alpha, hold)) {
    ApplyActions(model->HoldHoverPanel(hold));
    return true;
  }
  return false;
}

bool MainDialog::OnDpiPageMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!dpiControls) return false;
  if (message == static_cast<UINT>(kMsgSliderMoved)) {
    dpiControls->OnSliderMoved(reinterpret_cast<HWND>(wParam));
    return true;
  }
  if (message == WM_LBUTTONDOWN && model->CurrentTab() == 1) {
    dpiControls->OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  }
  return false;
}

bool MainDialog::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& answer) {
  if (!model) return false;
  if (OnDpiPageMessage(message, wParam, lParam)) {
    answer = TRUE;
    return true;
  }
  switch (message) {
    case WM_PAINT:
      if (!skinned) return false;
      skin.Paint(Snapshot());
      answer = TRUE;
      return true;
    case WM_ERASEBKGND:
      // The paint covers every pixel from the composition surface.
      if (!skinned) return false;
      SetWindowLongPtrW(window, DWLP_MSGRESULT, 1);
      answer = TRUE;
      return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      if (!skinned) return false;
      answer = reinterpret_cast<INT_PTR>(skin.ControlBrush(reinterpret_cast<HWND>(lParam)));
      return true;
    case WM_NCHITTEST: {
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(window, &point);
      if (!DragsWindow(skin.Layout(), point.x, point.y)) return false;
      SetWindowLongPtrW(window, DWLP_MSGRESULT, HTCAPTION);
      answer = TRUE;
      return true;
    }
    case WM_MOUSEMOVE:
      if (!trackingPointer) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        trackingPointer = TrackMouseEvent(&track) != FALSE;
      }
      ApplyActions(model->OnPointerMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      return true;
    case WM_MOUSELEAVE:
      trackingPointer = false;
      ApplyActions(model->OnPointerLeave());
      return true;
    case WM_LBUTTONDOWN:
      ApplyActions(model->OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      return true;
    case WM_MOVING:
      ApplyActions(model->OnMoving());
      return false;
    case WM_WINDOWPOSCHANGED:
      ReportVisibility();
      return false;
    case kMsgReportWakeUps:
      diag::Writef("timer messages: %llu at %llu ms", static_cast<unsigned long long>(timerMessages),
                   static_cast<unsigned long long>(GetTickCount64()));
      answer = TRUE;
      return true;
    default:
      break;
  }
  if (message == static_cast<UINT>(kMsgControlFocus)) {
    ApplyActions(model->OnControlFocusChanged());
    answer = TRUE;
    return true;
  }
  return false;
}

// A minimised window shows nothing either: its animations rest like a hidden one's.
void MainDialog::ReportVisibility() {
  const bool shown = IsWindowVisible(window) != FALSE && IsIconic(window) == FALSE;
  if (shown == reportedShown) return;
  reportedShown = shown;
  ApplyActions(model->OnVisibilityChanged(shown));
}

void MainDialog::ApplyActions(const WindowActions& actions) {
  for (const WindowAction& action : actions.Items()) {
    if (operationActions) {
      if (std::optional<WindowActions> next = operationActions->Apply(action, *model)) {
        ApplyActions(*next);
        continue;
      }
    }
    // Only the control actions' ids name controls; the timers' are timers.
    const auto control = [&] { return GetDlgItem(window, action.id); };
    switch (action.kind) {
      case ActionKind::kShowControl:
      case ActionKind::kHideControl:
        ShowWindow(control(), action.kind == ActionKind::kShowControl ? SW_SHOW : SW_HIDE);
        break;
      case ActionKind::kEnableControl:
      case ActionKind::kDisableControl:
        EnableWindow(control(), action.kind == ActionKind::kEnableControl);
        break;
      case ActionKind::kRepaintWindow:
        InvalidateRect(window, nullptr, FALSE);
        break;
      case ActionKind::kRepaintRect: {
        const RECT rect{action.rect.x, action.rect.y, action.rect.x + action.rect.width,
                        action.rect.y + action.rect.height};
        InvalidateRect(window, &rect, FALSE);
        break;
      }
      case ActionKind::kRepaintControl:
        if (const HWND repainted = control()) InvalidateRect(repainted, nullptr, FALSE);
        break;
      case ActionKind::kRepaintHighlightedButton: {
        const RectI& area = model->Fades().HighlightArea();
        const RECT rect{area.x, area.y, area.x + area.width, area.y + area.height};
        if (model->Fades().HighlightShown()) InvalidateRect(window, &rect, FALSE);
        break;
      }
      case ActionKind::kSetControlsChanged:
        skin.SetControlsChanged();
        break;
      case ActionKind::kStartTimer:
        SetTimer(window, static_cast<UINT_PTR>(action.id), static_cast<UINT>(action.periodMs), nullptr);
        break;
      case ActionKind::kStopTimer:
        KillTimer(window, static_cast<UINT_PTR>(action.id));
        break;
      case ActionKind::kSetAlpha:
        SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(action.alpha), LWA_ALPHA);
        if (action.alpha == StartupFade::kOpaque) diag::Write("fade-in complete");
        break;
      case ActionKind::kHideAndCenter:
        HideAndCenter();
        break;
      case ActionKind::kShowWindow:
        ShowAndActivate();
        break;
      case ActionKind::kHideWindow:
        HideToTray("window hidden to the tray");
        break;
      case ActionKind::kMinimizeWindow:
        ShowWindow(window, SW_MINIMIZE);
        break;
      case ActionKind::kEndDialog:
        EndDialog(window, IDCANCEL);
        break;
      default:
        break;
    }
  }
}

// A window that started hidden has no size yet: it takes the skin's.
void MainDialog::HideAndCenter() {
  ShowWindow(window, SW_HIDE);
  SetLayeredWindowAttributes(window, 0, StartupFade::kOpaque, LWA_ALPHA);
  RECT frame{};
  GetWindowRect(window, &frame);
  const SIZE size = skinned ? skin.Size() : SIZE{frame.right - frame.left, frame.bottom - frame.top};
  SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  diag::Write("hidden at start");
}

void MainDialog::StartOperations() {
  operationWorker = std::make_unique<DeviceOperationWorker>(window, *connection, *connectionView);
  operationActions = std::make_unique<OperationActions>(window, classCursor, uiText, *operationWorker);
}

void MainDialog::OnOperationReport(WPARAM report, LPARAM value) {
  if (!model) return;
  switch (report) {
    case DeviceOperationWorker::kFraction:
      ApplyActions(model->OnOperationProgress(static_cast<double>(value) / DeviceOperationWorker::kFractionScale));
      break;
    case DeviceOperationWorker::kStatus:
      ApplyActions(model->OnOperationStatus(device::StatusTextSlotOf(static_cast<device::OperationStatus>(value))));
      break;
    case DeviceOperationWorker::kSecondLine:
      ApplyActions(model->OnOperationSecondLine(operationWorker->SecondLine()));
      break;
    case DeviceOperationWorker::kRepaintWindow:
      InvalidateRect(window, nullptr, FALSE);
      break;
    default:
      break;
  }
}

void MainDialog::OnOperationEnded() {
  if (!model) return;
  const Notice notice = OperationNotice(uiText, operationWorker->Finish());
  ApplyActions(model->OnOperationEnded({notice.text}));
}
