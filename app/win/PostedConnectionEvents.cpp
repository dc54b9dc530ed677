#include "app/win/PostedConnectionEvents.h"

#include "app/win/WindowMessages.h"

bool PostedConnectionEvents::CreateTiltMutex() { return SendMessageW(window, kMsgCreateTiltMutex, 0, 0) != 0; }

void PostedConnectionEvents::Post(WindowEvent::Kind kind, int value) const {
  PostMessageW(window, kMsgConnection, static_cast<WPARAM>(kind), static_cast<LPARAM>(value));
}

WindowEvent PostedConnectionEvents::Decode(WPARAM kind, LPARAM value) {
  WindowEvent event{static_cast<WindowEvent::Kind>(kind)};
  event.value = static_cast<int>(value);
  event.on = value != 0;
  return event;
}
