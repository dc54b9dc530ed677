#include "app/win/MainDialog.h"

#include <commctrl.h>

#include "app/AppState.h"
#include "app/IniPath.h"
#include "app/PrivateMessages.h"
#include "app/ProgramDir.h"
#include "app/win/LanguageSetting.h"
#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "base/win/PrivateProfileIni.h"
#include "res/resource.h"

std::atomic<MainDialog*> PublishedMainDialog{nullptr};

namespace {

constexpr UINT_PTR kTimerFade = 20;
constexpr UINT kFadePeriodMs = 2;

// Posted by the show-signal thread so that every window call of a "show"
// runs on the window's own thread; the step number rides in wParam.
constexpr UINT kMsgShowStep = WM_APP + 1;
enum ShowStep { kStepShow, kStepForeground, kStepTop };

// Waits `ms` milliseconds unless the window is going away.
bool PauseUnlessStopped(HANDLE stop, DWORD ms) {
  return WaitForSingleObject(stop, ms) == WAIT_TIMEOUT;
}

}  // namespace

MainDialog::MainDialog(HINSTANCE instance, const StartupSwitches& switches, HANDLE showEvent, HANDLE closeEvent)
    : instance(instance), switches(switches), showEvent(showEvent), closeEvent(closeEvent) {
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
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_TIMER:
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
      ShowWindow(window, SW_HIDE);
      diag::Write("window hidden by close");
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case kMsgShowStep:
      if (wParam == kStepShow) ShowWindow(window, SW_SHOWNORMAL);
      if (wParam == kStepForeground) SetForegroundWindow(window);
      if (wParam == kStepTop) BringWindowToTop(window);
      return TRUE;
    default:
      break;
  }
  if (message == static_cast<UINT>(kMsgShowWindow)) {
    diag::Write("show message received");
    ShowAndActivate();
    return TRUE;
  }
  if (message == static_cast<UINT>(kMsgReleaseTiltMutex)) {
    diag::Write("tilt mutex released on request");
    tiltMutex.Release();
    return TRUE;
  }
  if (message == static_cast<UINT>(kMsgEndProgram)) {
    diag::Write("end message received");
    EndProgram();
    return TRUE;
  }
  (void)lParam;
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
  trayMenu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_TRAYMENU));

  RAWINPUTDEVICE vendor{0xFF03, 0x0001, RIDEV_INPUTSINK, window};
  if (!RegisterRawInputDevices(&vendor, 1, sizeof vendor)) {
    diag::Writef("raw input registration failed (%lu)", GetLastError());
    MessageBoxW(window, L"error", L"Vantor 3", MB_OK);
  }

  wchar_t modulePath[511] = L"";
  GetModuleFileNameW(nullptr, modulePath, 510);
  App.programDir = ProgramDirFromModulePath(FromWide(modulePath));
  diag::Write("program folder: " + text::ToUtf8(App.programDir));

  LoadLanguage();

  SetForegroundWindow(window);

  SetTimer(window, kTimerFade, kFadePeriodMs, nullptr);

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
  if (trayMenu) {
    const int commands[] = {kTrayOpenCommand, kTrayExitCommand};
    for (int i = 0; i < 2; ++i) {
      ModifyMenuW(trayMenu, static_cast<UINT>(commands[i]), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(commands[i]),
                  ToWide(uiText.trayMenuTexts[static_cast<size_t>(i)]).c_str());
    }
  }
}

void MainDialog::OnTimer(UINT_PTR id) {
  if (id != kTimerFade) return;
  const bool wasHidden = App.hideAtStart;
  const FadeDecision decision = fade.OnTick(IsWindowVisible(window) != FALSE, App.hideAtStart);
  if (decision.hideAndCenter) {
    ShowWindow(window, SW_HIDE);
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(decision.alpha), LWA_ALPHA);
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (decision.applyAlpha) SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(decision.alpha), LWA_ALPHA);
  if (decision.stopTimer) {
    KillTimer(window, kTimerFade);
    diag::Write(wasHidden ? "hidden at start" : "fade-in complete");
  }
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
    case IDC_HIDE:
      ShowWindow(window, SW_HIDE);
      diag::Write("window hidden to the tray");
      break;
    default:
      break;
  }
}

void MainDialog::OnDestroy() {
  SetEvent(stopThreads);
  if (showThread.joinable()) showThread.join();
  if (closeThread.joinable()) closeThread.join();
  if (tiltScroller) tiltScroller->Stop();
  tiltMutex.Release();
  PublishedMainDialog = nullptr;
  if (trayMenu) DestroyMenu(trayMenu);
  trayMenu = nullptr;
  if (tiltWaitEvent) CloseHandle(tiltWaitEvent);
  tiltWaitEvent = nullptr;
}

void MainDialog::ShowAndActivate() {
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
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
