#pragma once
// The main window's one controller: every decoded event comes here and
// leaves as window actions. The frame goes first (tabs, fades, focus,
// tooltips, device operations, showing and hiding), then the page the event
// belongs to; the mouse session's reports and the connection's events are
// turned into the pages' state. Portable: it never touches the system.
#include <memory>

#include "app/ButtonPage.h"
#include "app/DpiPage.h"
#include "app/MacroPage.h"
#include "app/MouseMacroFlow.h"
#include "app/WindowFrame.h"
#include "app/MouseSession.h"
#include "app/TrayClicks.h"
#include "app/UiText.h"
#include "app/WindowAction.h"
#include "app/WindowEvent.h"
#include "ui/PaintSnapshot.h"

class SimulatorHand;

// The macro library and its view, and the keyboard's key names.
struct MacroParts {
  MacroLibrary& library;
  LibraryView& view;
  KeyNames& keys;
};

struct ControllerSetup {
  bool showTipAtStart = false;
  WindowFrameSetup frame;
};

class WindowController {
 public:
  // Every reference must outlive the controller; `hand` may be null.
  WindowController(MouseSession& session, UiText& texts, const SkinLayout& layout, ControllerSetup setup,
                   MacroParts macros, SimulatorHand* hand);

  WindowActions Handle(const WindowEvent& event);

  // What one paint shows.
  PaintSnapshot Snapshot() const;
  const WindowFrame& Frame() const { return frame; }
  // The program is ending: no closing message shows any more.
  void BeginClosing() { closing = true; }

 private:
  void OnTimer(int id, WindowActions& out);
  void OnCommand(const WindowEvent& event, WindowActions& out);
  void OnLeftButtonDown(int x, int y, WindowActions& out);
  void OnPointerMove(int x, int y, WindowActions& out);
  void OnTrayNotify(int icon, int mouseMessage, WindowActions& out);
  void OnSessionReports(WindowActions& out);
  void OnArrivalEnded(bool found, WindowActions& out);
  void ShowWindow(WindowActions& out);
  // A library macro dropped on a function list goes into the mouse.
  void StoreInMouse(const MouseStoreWish& wish, WindowActions& out);
  // Delete on a function list that plays a stored macro asks to remove it.
  bool AskToRemoveFromMouse(const WindowEvent& key, WindowActions& out);
  void RereadLevelsIfHidden(WindowActions& out) const;
  // The page's level changes go to the mouse's record; its labels follow.
  void AfterDpiPage();
  bool Busy() const;
  WindowAction TrayTip() const;
  WindowAction TrayMenu() const;

  MouseSession& session;
  UiText& texts;
  SimulatorHand* hand;
  bool showTipAtStart;
  WindowFrame frame;
  DpiPage dpiPage;
  ButtonPage buttonPage;
  MacroPage macroPage;
  MouseMacroFlow mouseMacros;
  TrayClicks trayClicks;
  bool closing = false;
};
