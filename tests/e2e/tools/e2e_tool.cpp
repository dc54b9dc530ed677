// A small Win32 helper that the end-to-end scenarios run beside the program:
// it owns probe windows that record the private messages they receive, posts
// messages to the program's window, finds its controls, plays a shell that
// restarts and reports the window's visibility.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

FILE* ProbeLog = nullptr;

constexpr UINT kShowWindowMessage = 11880;
constexpr UINT kEndProgramMessage = 11889;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kShowWindowMessage || message == kEndProgramMessage) {
    wchar_t title[64] = L"";
    GetWindowTextW(window, title, 64);
    std::fwprintf(ProbeLog, L"%ls received %u\n", title, message);
    std::fflush(ProbeLog);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Serves the probe windows for `seconds`, then closes the log.
int RunProbeFor(int seconds) {
  SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) break;
    DispatchMessageW(&message);
  }
  std::fclose(ProbeLog);
  return 0;
}

// Opens the probe's log and registers the probe windows' class.
bool OpenProbe(const wchar_t* logPath) {
  ProbeLog = _wfopen(logPath, L"a");
  if (!ProbeLog) return false;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ProbeProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"VantorProbe";
  RegisterClassW(&windowClass);
  return true;
}

HWND MakeProbeWindow(const wchar_t* title, int x) {
  HWND window = CreateWindowExW(0, L"VantorProbe", title, WS_OVERLAPPEDWINDOW, x, 40, 200, 80, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

// Two windows: the broadcast passes over the first window of the z-order, so
// the cover window is put on top and the receiver right behind it.
int Probe(const wchar_t* logPath, int seconds) {
  if (!OpenProbe(logPath)) return 2;
  MakeProbeWindow(L"probe receiver", 300);
  HWND cover = MakeProbeWindow(L"probe cover", 520);
  SetForegroundWindow(cover);
  BringWindowToTop(cover);
  std::fwprintf(ProbeLog, L"ready\n");
  std::fflush(ProbeLog);
  return RunProbeFor(seconds);
}

// A window of this program comes to the front and stays for `seconds`, so
// that a copy of this program under another name stands for another program.
int FrontWindow(const wchar_t* logPath, const wchar_t* title, int seconds) {
  if (!OpenProbe(logPath)) return 2;
  SetForegroundWindow(MakeProbeWindow(title, 900));
  std::fwprintf(ProbeLog, L"ready\n");
  std::fflush(ProbeLog);
  return RunProbeFor(seconds);
}

// Whether the system reports foreground changes to a hook: two windows of
// this program take the front in turn while an out-of-context hook listens.
void CALLBACK CountForeground(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  std::fwprintf(ProbeLog, L"foreground event\n");
  std::fflush(ProbeLog);
}

int ForegroundHook(const wchar_t* logPath) {
  if (!OpenProbe(logPath)) return 2;
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                             CountForeground, 0, 0, WINEVENT_OUTOFCONTEXT);
  std::fwprintf(ProbeLog, L"hook %ls\n", hook ? L"set" : L"refused");
  HWND first = MakeProbeWindow(L"hook first", 300);
  HWND second = MakeProbeWindow(L"hook second", 520);
  for (int i = 0; i < 4; ++i) {
    std::fwprintf(ProbeLog, L"front: %d\n", SetForegroundWindow(i % 2 ? first : second) ? 1 : 0);
    std::fflush(ProbeLog);
    RunProbeFor(1);
    ProbeLog = _wfopen(logPath, L"a");
  }
  std::fclose(ProbeLog);
  return 0;
}

// Tilt probes: a window of a chosen class takes the keyboard focus and logs
// the scrolling messages it receives, with their parameters.
LRESULT CALLBACK ScrollProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL || message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    std::fwprintf(ProbeLog, L"%ls got 0x%04X wParam 0x%llX lParam 0x%llX extra 0x%llX\n", name, message,
                  static_cast<unsigned long long>(wParam), static_cast<unsigned long long>(lParam),
                  static_cast<unsigned long long>(GetMessageExtraInfo()));
    std::fflush(ProbeLog);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterScrollProbeClass(const wchar_t* name) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ScrollProbeProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = name;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&windowClass);
}

// kind: "mozilla" (a MozillaWindowClass window), "itunes" (a child inside an
// "iTunes" window) or "plain" (a window with a horizontal scroll bar child).
int ScrollProbe(const wchar_t* logPath, const std::wstring& kind, int seconds) {
  ProbeLog = _wfopen(logPath, L"a");
  if (!ProbeLog) return 2;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND focus = nullptr;
  if (kind == L"mozilla") {
    RegisterScrollProbeClass(L"MozillaWindowClass");
    focus = CreateWindowExW(0, L"MozillaWindowClass", L"tilt probe", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300,
                            nullptr, nullptr, instance, nullptr);
    ShowWindow(focus, SW_SHOWNORMAL);
  } else if (kind == L"itunes") {
    RegisterScrollProbeClass(L"iTunes");
    RegisterScrollProbeClass(L"ProbeList");
    HWND player = CreateWindowExW(0, L"iTunes", L"tilt probe", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100,
                                  400, 300, nullptr, nullptr, instance, nullptr);
    focus = CreateWindowExW(0, L"ProbeList", L"", WS_CHILD | WS_VISIBLE, 0, 0, 380, 260, player, nullptr,
                            instance, nullptr);
    ShowWindow(player, SW_SHOWNORMAL);
  } else if (kind == L"plain") {
    RegisterScrollProbeClass(L"ProbePlain");
    focus = CreateWindowExW(0, L"ProbePlain", L"tilt probe", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr,
                            nullptr, instance, nullptr);
    HWND bar = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 240, 380, 16, focus,
                               nullptr, instance, nullptr);
    ShowWindow(focus, SW_SHOWNORMAL);
    std::fwprintf(ProbeLog, L"bar 0x%llX\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(bar)));
  } else {
    return 2;
  }
  SetForegroundWindow(GetAncestor(focus, GA_ROOT));
  SetFocus(focus);
  std::fwprintf(ProbeLog, L"ready focus 0x%llX\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(focus)));
  std::fflush(ProbeLog);
  return RunProbeFor(seconds);
}

struct TitleCount {
  const wchar_t* title;
  int all;
  int visible;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
  auto* count = reinterpret_cast<TitleCount*>(param);
  wchar_t title[128] = L"";
  GetWindowTextW(window, title, 128);
  if (std::wcscmp(title, count->title) == 0) {
    ++count->all;
    if (IsWindowVisible(window)) ++count->visible;
  }
  return TRUE;
}

// Window probe: the program's window and every child with its id,
// visibility, place in the window's client area and text, one a line.
BOOL CALLBACK ListChild(HWND child, LPARAM param) {
  const HWND parent = reinterpret_cast<HWND>(param);
  if (GetParent(child) != parent) return TRUE;
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  wchar_t text[128] = L"";
  GetWindowTextW(child, text, 128);
  std::wprintf(L"child %d %d %ld %ld %ld %ld %ls\n", GetDlgCtrlID(child), IsWindowVisible(child) ? 1 : 0, rect.left,
               rect.top, rect.right - rect.left, rect.bottom - rect.top, text);
  return TRUE;
}

int ListChildren(const wchar_t* title) {
  HWND window = FindWindowW(nullptr, title);
  RECT rect{};
  if (!window || !GetWindowRect(window, &rect)) return 1;
  std::wprintf(L"window %ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  EnumChildWindows(window, ListChild, reinterpret_cast<LPARAM>(window));
  std::fflush(stdout);
  return 0;
}

// A plain magenta window at a place of the screen, for `seconds`: whatever
// a window in front of it leaves out of its outline shows magenta.
LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(reinterpret_cast<HDC>(wParam), &client, magenta);
    DeleteObject(magenta);
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int Backdrop(int x, int y, int width, int height, int seconds) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BackdropProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"VantorBackdrop";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(WS_EX_NOACTIVATE, L"VantorBackdrop", L"backdrop", WS_POPUP, x, y, width, height,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) return 1;
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) break;
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"probe" && argc == 4) return Probe(argv[2], _wtoi(argv[3]));
  if (command == L"foregroundhook" && argc == 3) return ForegroundHook(argv[2]);
  if (command == L"foreground" && argc == 4) {
    // Tells the program which program is in front, as its foreground hook would.
    const std::wstring path = argv[3];
    COPYDATASTRUCT data{0x56464750, static_cast<DWORD>(path.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(path.data())};
    return SendMessageW(FindWindowW(nullptr, argv[2]), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) ? 0 : 1;
  }
  if (command == L"frontwindow" && argc == 5) return FrontWindow(argv[2], argv[3], _wtoi(argv[4]));
  if (command == L"scrollprobe" && argc == 5) return ScrollProbe(argv[2], argv[3], _wtoi(argv[4]));
  if (command == L"post" && argc >= 4) {
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) return 1;
    const WPARAM wParam = argc > 4 ? static_cast<WPARAM>(_wtoi(argv[4])) : 0;
    const LPARAM lParam = argc > 5 ? static_cast<LPARAM>(_wtoi(argv[5])) : 0;
    return PostMessageW(window, static_cast<UINT>(_wtoi(argv[3])), wParam, lParam) ? 0 : 1;
  }
  if (command == L"control" && argc == 4) {
    // The screen point at the centre of a control, for a real click on it.
    HWND control = GetDlgItem(FindWindowW(nullptr, argv[2]), _wtoi(argv[3]));
    RECT rect{};
    if (!control || !GetWindowRect(control, &rect)) return 1;
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
  }
  if (command == L"dropitem" && argc == 5) {
    // The screen point at the centre of item INDEX of a combo box's open
    // list, for a real click on it. The open list is the visible top-level
    // "ComboLBox" window; only messages without pointers cross processes.
    const HWND combo = GetDlgItem(FindWindowW(nullptr, argv[2]), _wtoi(argv[3]));
    if (!combo || SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0) return 1;
    HWND list = nullptr;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
          wchar_t name[32] = L"";
          GetClassNameW(window, name, 32);
          if (std::wcscmp(name, L"ComboLBox") != 0 || !IsWindowVisible(window)) return TRUE;
          *reinterpret_cast<HWND*>(found) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&list));
    if (!list) return 1;
    const int index = _wtoi(argv[4]);
    const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    if (height == LB_ERR || top == LB_ERR || index < top) return 1;
    RECT client{};
    GetClientRect(list, &client);
    POINT centre{(client.left + client.right) / 2,
                 static_cast<LONG>((index - top) * height + height / 2)};
    if (centre.y >= client.bottom) return 1;
    ClientToScreen(list, &centre);
    std::printf("%ld %ld\n", centre.x, centre.y);
    return 0;
  }
  if (command == L"selection" && argc == 4) {
    const HWND combo = GetDlgItem(FindWindowW(nullptr, argv[2]), _wtoi(argv[3]));
    if (!combo) return 1;
    std::printf("%d\n", static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
    return 0;
  }
  if (command == L"focus" && argc == 3) {
    // The dialog id of the control that has the keyboard focus (0: none of the window's).
    const HWND window = FindWindowW(nullptr, argv[2]);
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!window || !GetGUIThreadInfo(thread, &gui)) return 1;
    std::printf("%d\n", gui.hwndFocus && IsChild(window, gui.hwndFocus) ? GetDlgCtrlID(gui.hwndFocus) : 0);
    return 0;
  }
  if (command == L"trayforget" && argc == 4) {
    // What a restarting shell does to every icon: the program is not told.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = FindWindowW(nullptr, argv[2]);
    icon.uID = static_cast<UINT>(_wtoi(argv[3]));
    return icon.hWnd && Shell_NotifyIconW(NIM_DELETE, &icon) ? 0 : 1;
  }
  if (command == L"taskbarcreated" && argc == 3) {
    HWND window = FindWindowW(nullptr, argv[2]);
    const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return window && message && PostMessageW(window, message, 0, 0) ? 0 : 1;
  }
  if (command == L"children" && argc == 3) return ListChildren(argv[2]);
  if (command == L"enabled" && argc == 4) {
    const HWND control = GetDlgItem(FindWindowW(nullptr, argv[2]), _wtoi(argv[3]));
    if (!control) return 1;
    std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
    return 0;
  }
  if (command == L"backdrop" && argc == 7) {
    return Backdrop(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), _wtoi(argv[6]));
  }
  if (command == L"windows" && argc == 3) {
    TitleCount count{argv[2], 0, 0};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    std::printf("windows=%d visible=%d\n", count.all, count.visible);
    return 0;
  }
  std::fprintf(stderr, "usage: e2e_tool probe LOG SECONDS | scrollprobe LOG mozilla|itunes|plain SECONDS | post TITLE MESSAGE [WPARAM [LPARAM]] | control TITLE ID | trayforget TITLE ICON | taskbarcreated TITLE | children TITLE | enabled TITLE ID | dropitem TITLE ID INDEX | selection TITLE ID | focus TITLE | backdrop X Y W H SECONDS | windows TITLE\n");
  return 2;
}
