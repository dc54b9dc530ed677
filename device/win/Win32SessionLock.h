#pragma once
// The session lock of the Windows build: one named mutex in this logon
// session's namespace, shared by the window and the command-line tool. A
// program that ends while it holds the mutex hands it to the next waiter.
#include <memory>

#include "device/SessionLock.h"

namespace device {

inline constexpr const wchar_t* kSessionMutexName = L"Local\\Vantor Mouse Session";

std::unique_ptr<SessionLock> MakeWin32SessionLock();

}  // namespace device
