#include "device/win/WinSlotTimer.h"

#include "base/DiagLog.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace device {

WinSlotTimer::WinSlotTimer() {
  timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                 TIMER_ALL_ACCESS);
  if (timer == nullptr) timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
  fired = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (timer == nullptr || fired == nullptr) diag::Write("WinSlotTimer: a handle could not be created");
}

WinSlotTimer::~WinSlotTimer() {
  if (timer != nullptr) CloseHandle(timer);
  if (fired != nullptr) CloseHandle(fired);
}

void WinSlotTimer::Arm(std::int64_t dueUs) {
  if (timer == nullptr) return;
  // Relative due times are negative, in units of 100 ns.
  LARGE_INTEGER due;
  due.QuadPart = dueUs > 0 ? -dueUs * 10 : -1;
  SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
}

void WinSlotTimer::Wait() {
  if (timer == nullptr || fired == nullptr) {
    // Without handles a player must not spin: it waits the coarse way.
    Sleep(1);
    return;
  }
  HANDLE handles[2] = {fired, timer};
  WaitForMultipleObjects(2, handles, FALSE, INFINITE);
}

void WinSlotTimer::FireNow() {
  if (fired != nullptr) SetEvent(fired);
}

void WinSlotTimer::Reset() {
  if (fired != nullptr) ResetEvent(fired);
}

}  // namespace device
