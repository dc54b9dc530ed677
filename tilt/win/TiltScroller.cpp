#include "tilt/win/TiltScroller.h"

#include "base/DiagLog.h"
#include "tilt/TiltDecision.h"

namespace {

tilt::WindowHandle Handle(HWND window) { return reinterpret_cast<tilt::WindowHandle>(window); }
HWND Window(tilt::WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

std::u16string ClassOf(HWND window, int limit) {
  wchar_t name[256] = L"";
  if (!window) return {};
  const int length = GetClassNameW(window, name, limit);
  return std::u16string(name, name + (length > 0 ? length : 0));
}

class Win32Windows : public tilt::WindowQuery {
 public:
  std::u16string ClassName(tilt::WindowHandle window) const override { return ClassOf(Window(window), 256); }
  tilt::WindowHandle Parent(tilt::WindowHandle window) const override {
    return window ? Handle(GetParent(Window(window))) : 0;
  }
  tilt::Point ClientToScreen(tilt::WindowHandle window, tilt::Point client) const override {
    POINT point{client.x, client.y};
    ::ClientToScreen(Window(window), &point);
    return {point.x, point.y};
  }
  tilt::Point ScreenToClient(tilt::WindowHandle window, tilt::Point screen) const override {
    POINT point{screen.x, screen.y};
    ::ScreenToClient(Window(window), &point);
    return {point.x, point.y};
  }
};

BOOL CALLBACK FindHorizontalBar(HWND child, LPARAM param) {
  const auto style = static_cast<std::uint32_t>(GetWindowLongW(child, GWL_STYLE));
  if (!tilt::IsHorizontalScrollBar(style, ClassOf(child, 100))) return TRUE;
  *reinterpret_cast<HWND*>(param) = child;
  return FALSE;
}

HWND FocusWindow(HWND foreground) {
  const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(foregroundThread, &info) && info.hwndFocus) return info.hwndFocus;
  if (!foregroundThread) return nullptr;
  // Only for this one call: GetFocus answers for the thread whose input we share.
  const DWORD self = GetCurrentThreadId();
  if (!AttachThreadInput(self, foregroundThread, TRUE)) return nullptr;
  HWND focus = GetFocus();
  AttachThreadInput(self, foregroundThread, FALSE);
  return focus;
}

}  // namespace

TiltScroller::TiltScroller(TiltAccumulator& accumulator, HANDLE tiltEvent)
    : accumulator(accumulator), tiltEvent(tiltEvent), stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TiltScroller::~TiltScroller() {
  Stop();
  if (stopEvent) CloseHandle(stopEvent);
}

void TiltScroller::Start() {
  if (!thread.joinable() && tiltEvent && stopEvent) thread = std::thread(&TiltScroller::Run, this);
}

void TiltScroller::Stop() {
  if (!thread.joinable()) return;
  SetEvent(stopEvent);
  thread.join();
}

void TiltScroller::Run() {
  const HANDLE waits[] = {stopEvent, tiltEvent};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    const std::int32_t tilt = accumulator.TakeTilt();
    if (tilt != 0) Cycle(tilt);
  }
}

void TiltScroller::Cycle(std::int32_t tilt) {
  tilt::TiltFacts facts;
  facts.tilt = tilt;
  const HWND foreground = GetForegroundWindow();
  facts.foreground = Handle(foreground);
  POINT cursor{};
  GetCursorPos(&cursor);
  facts.cursor = {cursor.x, cursor.y};
  facts.cursorWindow = Handle(WindowFromPoint(cursor));
  const HWND focus = FocusWindow(foreground);
  facts.focus = Handle(focus);
  if (focus) {
    HWND bar = nullptr;
    const HWND parent = GetParent(focus);
    EnumChildWindows(parent ? parent : focus, FindHorizontalBar, reinterpret_cast<LPARAM>(&bar));
    facts.scrollBar = Handle(bar);
  }
  const auto messages = tilt::DecideTilt(facts, Win32Windows());
  for (const auto& message : messages) {
    PostMessageW(Window(message.window), message.message, static_cast<WPARAM>(message.wParam),
                 static_cast<LPARAM>(message.lParam));
    diag::Writef("tilt: posted 0x%04X wParam 0x%llX lParam 0x%llX", message.message,
                 static_cast<unsigned long long>(message.wParam), static_cast<unsigned long long>(message.lParam));
  }
  if (messages.empty()) diag::Writef("tilt: %d gave nothing to post", static_cast<int>(tilt));
}
