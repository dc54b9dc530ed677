#pragma once
// The one place where the controller's actions become Win32 calls. What the
// user answers in a question or a file dialog goes back to the controller,
// whose next actions are carried out in turn.
#include <windows.h>

#include <functional>

#include "app/MouseSession.h"
#include "app/UiText.h"
#include "app/WindowAction.h"
#include "app/WindowEvent.h"
#include "app/win/MainWindowSkin.h"
#include "app/win/TrayIcon.h"
#include "tilt/win/TiltMutex.h"

class ActionApplier {
 public:
  // Hands an event to the controller and returns its actions.
  using Controller = std::function<WindowActions(const WindowEvent&)>;

  // Every reference must outlive the applier; `classCursor` is the window
  // class's own cursor, kept at initialisation.
  ActionApplier(HWND window, HCURSOR classCursor, MainWindowSkin& skin, const UiText& texts, TrayIcon& tray,
                TiltMutex& tiltMutex, MouseSession& session, Controller controller)
      : window(window),
        classCursor(classCursor),
        skin(skin),
        texts(texts),
        tray(tray),
        tiltMutex(tiltMutex),
        session(session),
        controller(std::move(controller)) {}

  void Apply(const WindowActions& actions);
  // WM_SETCURSOR: true when the wait cursor was set.
  bool OnSetCursor() const;

 private:
  void Apply(const WindowAction& action);
  void FillList(const WindowAction& action) const;
  void HideAndCenter() const;
  void SetPointerKind(int kind);
  void OpenEditBox(const WindowAction& action) const;
  void SetRecording(bool on) const;
  const std::u16string& Message(int slot) const;

  HWND window;
  HCURSOR classCursor;
  MainWindowSkin& skin;
  const UiText& texts;
  TrayIcon& tray;
  TiltMutex& tiltMutex;
  MouseSession& session;
  Controller controller;
  HCURSOR waitCursor = nullptr;  // set while an operation runs
  int pointerKind = 0;           // the drag pointer shown, 0 for the window's own
};
