#include "app/InstanceDecision.h"

#include "app/PrivateMessages.h"

InstanceAction DecideAtInstanceMutex(bool mutexExisted, bool closeRequested) {
  if (mutexExisted) return InstanceAction::BroadcastAndEnd;
  if (closeRequested) return InstanceAction::BroadcastThenRelease;
  return InstanceAction::RunMainWindow;
}

int BroadcastMessageFor(bool closeRequested) {
  return closeRequested ? kMsgEndProgram : kMsgShowWindow;
}
