#include "app/win/ForegroundWatch.h"

#include "app/win/WinText.h"

namespace {

// The one watch that the hook's callback, which carries no context, reports to.
ForegroundWatch* Watching = nullptr;

}  // namespace

ForegroundWatch::~ForegroundWatch() { Stop(); }

bool ForegroundWatch::Start(Changed onChange) {
  Stop();
  changed = std::move(onChange);
  hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnEvent, 0, 0,
                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  if (hook) Watching = this;
  return hook != nullptr;
}

void ForegroundWatch::Stop() {
  if (hook) UnhookWinEvent(hook);
  hook = nullptr;
  if (Watching == this) Watching = nullptr;
}

void CALLBACK ForegroundWatch::OnEvent(HWINEVENTHOOK hook, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
  if (!Watching || hook != Watching->hook || !window) return;
  const std::u16string program = ProgramOfWindow(window);
  if (!program.empty()) Watching->changed(program);
}

std::u16string ProgramOfWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == 0) return {};
  const HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  if (!handle) return {};
  wchar_t path[MAX_PATH * 2] = L"";
  DWORD size = MAX_PATH * 2;
  const BOOL named = QueryFullProcessImageNameW(handle, 0, path, &size);
  CloseHandle(handle);
  return named ? FromWide(std::wstring(path, size)) : std::u16string();
}
