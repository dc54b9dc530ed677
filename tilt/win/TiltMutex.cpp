#include "tilt/win/TiltMutex.h"

#include "base/DiagLog.h"

void TiltMutex::AcquireAtArrival() {
  if (owned) return;
  // A handle kept from an earlier arrival that found the mutex taken is
  // closed first, so arrivals do not pile up handles.
  if (handle) CloseHandle(handle);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
  handle = CreateMutexW(&attributes, TRUE, L"Calvex Vantor Tilt Driver2");
  owned = handle != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
  diag::Write(owned ? "tilt mutex owned" : "tilt mutex held elsewhere");
}

void TiltMutex::Release() {
  if (handle) CloseHandle(handle);
  handle = nullptr;
  owned = false;
}
