#pragma once
// What a starting copy does once it knows whether another copy holds the
// instance mutex. The events have already carried the wish of a second launch
// by then; the mutex and the broadcast are the fallback.

enum class InstanceAction {
  RunMainWindow,         // first copy: run the main window, then release
  BroadcastAndEnd,       // the mutex is taken: tell every window, end holding nothing
  BroadcastThenRelease,  // "/close" and no copy runs: tell every window, release, end
};

InstanceAction DecideAtInstanceMutex(bool mutexExisted, bool closeRequested);

// The private message that the broadcast posts.
int BroadcastMessageFor(bool closeRequested);
