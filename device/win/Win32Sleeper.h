#pragma once
// The Sleeper of the Windows build. A plain Sleep(1) may last a whole 15.6 ms
// scheduler tick, which would stretch a memory transfer many times over, so
// pauses wait on a high-resolution waitable timer (one per sleeping thread). Where the
// system has none, a plain waitable timer is used with the timer resolution
// raised to 1 ms for the length of the pause only.
#include <memory>

#include "device/Sleeper.h"

namespace device {

std::unique_ptr<Sleeper> MakeWin32Sleeper();

}  // namespace device
