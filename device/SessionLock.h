#pragma once
// The lock that every program on this desktop takes around its traffic with
// the mouse, so that the window and the command-line tool never interleave
// their requests on the wire. It is recursive for the thread that holds it.
// The Windows one is a named mutex; a build without one leaves it out and
// relies on DeviceLock alone.
namespace device {

class SessionLock {
 public:
  virtual ~SessionLock() = default;
  // True once held; false when `timeoutMs` passed while another holder kept it.
  virtual bool Acquire(int timeoutMs) = 0;
  virtual void Release() = 0;
};

}  // namespace device
