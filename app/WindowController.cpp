#include "app/WindowController.h"

#include "app/AppState.h"
#include "app/Notice.h"
#include "app/SimulatorHand.h"
#include "app/WindowSnapshot.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "macro/VirtualKeys.h"
#include "res/resource.h"
#include "ui/MacroLayout.h"

namespace {

// Keys that a dialog's own handling turns into commands.
constexpr int kCommandOk = 1;
constexpr int kCommandCancel = 2;
// The longest name the mouse's directory keeps.
constexpr std::size_t kMouseNameLength = 14;

bool IsFunctionList(int id) {
  return std::find(kFunctionListIds.begin(), kFunctionListIds.end(), id) != kFunctionListIds.end();
}

DpiLevelTable TableOf(const device::LevelTable& levels) {
  DpiLevelTable table{};
  for (std::size_t k = 0; k < table.size(); ++k) table[k] = {levels[k].x, levels[k].y};
  return table;
}

}  // namespace

WindowController::WindowController(MouseSession& session, UiText& texts, const SkinLayout& layout,
                                   ControllerSetup setup, MacroParts macros, SimulatorHand* hand)
    : session(session),
      texts(texts),
      hand(hand),
      showTipAtStart(setup.showTipAtStart),
      frame(session.OperationBusy(), layout, std::move(setup.frame)),
      macroPage(macros.library, macros.view, macros.keys, texts, layout, session),
      mouseMacros(session) {
  dpiPage.FormatLabels(texts);
  frame.SetToolboxItems(ToolboxItems(kMacroPage));
  frame.SetEditorMode(1);
}

bool WindowController::Busy() const {
  return session.State().OperationBusy.load() || session.State().ArrivalBusy.load();
}

WindowActions WindowController::Handle(const WindowEvent& event) {
  using Kind = WindowEvent::Kind;
  WindowActions out;
  switch (event.kind) {
    case Kind::kStarted:
      out.Append(frame.Start());
      if (showTipAtStart) out.StartTimer(timers::kBalloon.id, timers::kBalloon.periodMs);
      out.StartTimer(timers::kRescanFirst.id, timers::kRescanFirst.periodMs);
      session.Start();
      break;
    case Kind::kPointerMove:
      OnPointerMove(event.x, event.y, out);
      break;
    case Kind::kPointerLeave:
      out.Append(frame.OnPointerLeave());
      break;
    case Kind::kLeftButtonDown:
      OnLeftButtonDown(event.x, event.y, out);
      break;
    case Kind::kKeyDown:
    case Kind::kKeyUp:
      // A key reaching a function list would pick another function and send
      // it to the mouse; only the pointer picks one.
      if (macroPage.OnKey(frame.CurrentTab(), event, out) || !IsFunctionList(event.id)) break;
      out.MarkHandled();
      if (AskToRemoveFromMouse(event, out)) break;
      if (event.kind == Kind::kKeyDown) diag::Writef("key %02X kept from list %d", event.value, event.id);
      break;
    case Kind::kCommand:
      OnCommand(event, out);
      break;
    case Kind::kListChosen:
      buttonPage.OnListChosen(event.id, static_cast<std::uint32_t>(event.value), out);
      break;
    case Kind::kTimer:
      OnTimer(event.id, out);
      break;
    case Kind::kVisibility:
      out.Append(frame.OnVisibilityChanged(event.on));
      break;
    case Kind::kControlFocus:
      out.Append(frame.OnControlFocusChanged());
      break;
    case Kind::kSliderMoved:
      diag::Writef("slider moved: %d, %d at %lld us", event.x, event.y,
                   static_cast<long long>(session.NowMicroseconds()));
      dpiPage.OnSliderMoved(event.on, event.x, event.y, out);
      AfterDpiPage();
      break;
    case Kind::kMoving:
      out.Append(frame.OnMoving());
      break;
    case Kind::kShowRequest:
      diag::Write("show message received");
      ShowWindow(out);
      break;
    case Kind::kShowSignal:
      if (event.value == 0) RereadLevelsIfHidden(out);
      if (event.value == 1) out.Add(ActionKind::kShowWindow);
      if (event.value >= 2) out.Add(ActionKind::kBringToFront);
      break;
    case Kind::kEndRequest:
      diag::Write("end message received");
      App.exitAllowed = 1;
      out.Add(ActionKind::kEndWindow);
      break;
    case Kind::kReleaseTiltMutex:
      diag::Write("tilt mutex released on request");
      session.ForgetTiltMutex();
      out.Add(ActionKind::kReleaseTiltMutex);
      break;
    case Kind::kTrayNotify:
      OnTrayNotify(event.id, event.value, out);
      break;
    case Kind::kQuestionAnswered:
      if (event.id == kAboutOperation) {
        out.Append(frame.OnQuestionAnswered(event.on));
      } else if (mouseMacros.Answer(event.id, event.on, buttonPage.Assignment().Buttons(), out)) {
        break;
      } else {
        macroPage.OnQuestionAnswered(event.id, event.on, out);
      }
      break;
    case Kind::kFileChosen:
      if (event.id == kAboutOperation) {
        out.Append(frame.OnFileChosen(event.text));
      } else {
        macroPage.OnFileChosen(event.id, event.text, out);
      }
      break;
    case Kind::kSessionReports:
      OnSessionReports(out);
      break;
    case Kind::kRescanWanted:
      if (event.value > 0) {
        out.StartTimer(timers::kRescanFirst.id, event.value);
      } else {
        out.AddWithId(ActionKind::kStopTimer, timers::kRescanFirst.id);
      }
      break;
    case Kind::kArrivalEnded:
      OnArrivalEnded(event.on, out);
      break;
    case Kind::kMouseLost:
      out.Add(ActionKind::kRepaintWindow);
      break;
    case Kind::kLevelChangedOnMouse:
      dpiPage.OnLevelChangedOnMouse(event.value, frame.CurrentTab() == kDpiPage && frame.Visible(), out);
      AfterDpiPage();
      break;
    case Kind::kSettingsChanged:
      out.Push(TrayTip());
      out.StartTimer(timers::kMouseRefresh.id, timers::kMouseRefresh.periodMs);
      if (frame.CurrentTab() == kButtonPage) out.Add(ActionKind::kRepaintWindow);
      break;
    case Kind::kSimulatorAction:
      if (hand) hand->Apply(static_cast<std::uint32_t>(event.id), event.packed);
      break;
    case Kind::kLeftButtonUp:
      macroPage.OnLeftButtonUp(frame.CurrentTab(), event.x, event.y, out);
      if (const auto wish = macroPage.TakeMouseStore()) StoreInMouse(*wish, out);
      break;
    case Kind::kWheel:
      macroPage.OnWheel(frame.CurrentTab(), event.x, event.y, event.value, out);
      break;
    case Kind::kPointerCaptureLost:
      macroPage.CancelGesture(out);
      out.Add(ActionKind::kRepaintWindow);
      break;
    case Kind::kEditLeft:
      macroPage.OnEditLeft(event.id, event.text, out);
      break;
    case Kind::kDesktopKey:
      macroPage.OnDesktopKey(event, out);
      break;
    case Kind::kDesktopPointer:
      macroPage.OnDesktopPointer(event, out);
      break;
    case Kind::kRenameRequest:
      macroPage.OnRenameRequest(frame.CurrentTab(), out);
      break;
    case Kind::kForegroundChanged:
      diag::Write("foreground: " + text::ToUtf8(ProgramAt(event.text).name));
      session.FollowForeground(event.text);
      break;
  }
  return out;
}

void WindowController::OnPointerMove(int x, int y, WindowActions& out) {
  macroPage.OnPointerMove(frame.CurrentTab(), x, y, out);
  if (frame.CurrentTab() == kButtonPage && frame.Fades().PanelAlpha() > 0 && kPalettePanel.Contains(x, y)) {
    out.Append(frame.HoldHoverPanel(ButtonPage::kPaletteSeconds));
  }
  out.Append(frame.OnPointerMove(x, y));
}

void WindowController::OnLeftButtonDown(int x, int y, WindowActions& out) {
  if (macroPage.OnLeftButtonDown(frame.CurrentTab(), x, y, out)) return;
  if (frame.CurrentTab() == kButtonPage) {
    int hold = 0;
    if (buttonPage.OnClick(x, y, frame.Fades().PanelAlpha(), session.Profiles(), out, hold)) {
      out.Append(frame.HoldHoverPanel(hold));
      return;
    }
  }
  if (frame.CurrentTab() == kDpiPage) {
    dpiPage.OnClick(x, y, Busy(), out);
    AfterDpiPage();
  }
  out.Append(frame.OnLeftButtonDown(x, y));
}

void WindowController::OnCommand(const WindowEvent& event, WindowActions& out) {
  switch (event.id) {
    case kCommandOk:
      break;  // Enter does not close the window
    case kCommandCancel:
      out.Append(frame.OnCancel(App.exitAllowed != 0));
      break;
    case kControlTieBox:
      dpiPage.OnTieToggled(event.on, out);
      AfterDpiPage();
      break;
    case ID_TRAY_RESTORE:
      // The levels are not read on this path, unlike a double click.
      diag::Write("tray menu: restore");
      ShowWindow(out);
      break;
    case ID_TRAY_PROFILE_0:
    case ID_TRAY_PROFILE_0 + 1:
    case ID_TRAY_PROFILE_0 + 2:
    case ID_TRAY_PROFILE_0 + 3:
    case ID_TRAY_PROFILE_0 + 4:
    case ID_TRAY_PROFILE_0 + 5:
    case ID_TRAY_PROFILE_0 + 6: {
      MouseRequest select;
      select.kind = MouseRequest::Kind::kSelectProfile;
      select.profile = event.id - ID_TRAY_PROFILE_0;
      out.Request(select);
      diag::Writef("tray menu: software profile %d", select.profile);
      break;
    }
    case ID_TRAY_EXIT:
      diag::Write("tray menu: exit");
      App.exitAllowed = 1;
      out.Add(ActionKind::kEndWindow);
      break;
    default:
      if (macroPage.OnCommand(event.id, out)) {
        frame.SetRecording(macroPage.Recording());
        break;
      }
      out.Append(frame.OnCommand(event.id));
      break;
  }
}

void WindowController::OnTimer(int id, WindowActions& out) {
  if (id == timers::kRescanFirst.id) {
    session.OnRescanTick();
  } else if (id == timers::kMouseRefresh.id) {
    out.AddWithId(ActionKind::kStopTimer, id);
    buttonPage.OnSettingsRefreshed(session.Profiles().ProfileCount(), out);
  } else if (id == timers::kTrayMenu.id) {
    out.AddWithId(ActionKind::kStopTimer, id);
    if (trayClicks.OnMenuTimer()) out.Push(TrayMenu());
  } else if (id == timers::kBalloon.id) {
    out.AddWithId(ActionKind::kStopTimer, id);
    out.Add(ActionKind::kBringToFront);
    WindowAction balloon{ActionKind::kShowBalloon};
    balloon.text = texts.versionLabel.text;
    out.Push(balloon);
  } else if (id == timers::kLevelResync.id) {
    const device::Connection& state = session.State();
    dpiPage.Resynchronise(TableOf(state.LevelSteps.Get()), state.CurrentLevelIndex.load(), Busy(),
                          frame.CurrentTab() == kDpiPage, out);
    AfterDpiPage();
  } else if (id == timers::kLibraryEdgeScroll.id) {
    macroPage.OnEdgeScrollTimer(out);
  } else if (id == timers::kLevelSend.id || id == timers::kLevelCommit.id) {
    dpiPage.OnTimer(id, out);
  } else {
    out.Append(frame.OnTimer(id));
  }
}

void WindowController::OnTrayNotify(int icon, int mouseMessage, WindowActions& out) {
  if (mouseMessage != 0x200) diag::Writef("tray notification %d 0x%X", icon, static_cast<unsigned>(mouseMessage));
  const TrayAction action = trayClicks.OnNotify(icon, mouseMessage, frame.Visible());
  if (action.stopMenuTimer) out.AddWithId(ActionKind::kStopTimer, timers::kTrayMenu.id);
  if (action.startMenuTimerMs > 0) out.StartTimer(timers::kTrayMenu.id, action.startMenuTimerMs);
  if (action.rereadLevels) RereadLevelsIfHidden(out);
  if (action.restoreWindow) {
    diag::Write("tray double click: restore");
    out.Add(ActionKind::kShowWindow);
    out.Add(ActionKind::kBringToFront);
  }
}

void WindowController::ShowWindow(WindowActions& out) { out.Append(frame.OnShowRequest()); }

void WindowController::StoreInMouse(const MouseStoreWish& wish, WindowActions& out) {
  if (wish.name.empty()) return;
  const ButtonAssignment& assignment = buttonPage.Assignment();
  mouseMacros.Store(wish.name.substr(0, kMouseNameLength), device::MouseMacroBytes(wish.commands),
                    assignment.ButtonProfile(), wish.button, assignment.Buttons(), out);
}

bool WindowController::AskToRemoveFromMouse(const WindowEvent& key, WindowActions& out) {
  if (key.kind != WindowEvent::Kind::kKeyDown || key.value != kKeyDelete || Busy()) return false;
  std::u16string name;
  const int entry = buttonPage.StoredMacroOfList(key.id, name);
  if (entry < 0) return false;
  mouseMacros.AskToRemove(entry, name, texts, out);
  return true;
}

// A hidden window has not followed level changes made elsewhere.
void WindowController::RereadLevelsIfHidden(WindowActions& out) const {
  if (frame.Visible()) return;
  MouseRequest request;
  request.kind = MouseRequest::Kind::kReadLevels;
  out.Request(request);
}

// The tray names the software profile in use, so a switch by a rule shows
// without the window.
WindowAction WindowController::TrayTip() const {
  WindowAction tip{ActionKind::kSetTrayTip};
  const SoftwareProfiles& profiles = session.Profiles();
  tip.text = u"Vantor 3";
  if (profiles.ProfileCount() > 0) tip.text += u" - " + profiles.Name(profiles.CurrentSoftwareProfile());
  return tip;
}

WindowAction WindowController::TrayMenu() const {
  WindowAction menu{ActionKind::kShowTrayMenu};
  const SoftwareProfiles& profiles = session.Profiles();
  for (int p = 0; p < profiles.ProfileCount(); ++p) {
    menu.entries.push_back({profiles.Name(p), static_cast<std::uint32_t>(ID_TRAY_PROFILE_0 + p)});
  }
  menu.selected = profiles.CurrentSoftwareProfile();
  return menu;
}

void WindowController::OnArrivalEnded(bool found, WindowActions& out) {
  out.Push(TrayTip());
  if (!found) {
    dpiPage.OnMouseGone(out);
    buttonPage.OnListsOff(out);
  } else {
    const device::Connection& state = session.State();
    dpiPage.OnMouseReady(state.CurrentDpiUnit.load(), state.TopDpiStep.load(), TableOf(state.LevelSteps.Get()),
                         state.CurrentLevelIndex.load(), out);
    out.StartTimer(timers::kMouseRefresh.id, timers::kMouseRefresh.periodMs);
  }
  AfterDpiPage();
  out.Add(ActionKind::kRepaintWindow);
}

void WindowController::OnSessionReports(WindowActions& out) {
  for (const SessionReport& report : session.TakeReports()) {
    switch (report.kind) {
      case SessionReport::Kind::kMouseRead:
        buttonPage.OnMouseRead(report.reading, texts, out);
        break;
      case SessionReport::Kind::kLevelsRead:
      case SessionReport::Kind::kLevelsRestored:
        dpiPage.Resynchronise(report.levels, report.currentLevel, false, frame.CurrentTab() == kDpiPage, out);
        AfterDpiPage();
        break;
      case SessionReport::Kind::kListsOff:
        buttonPage.OnListsOff(out);
        break;
      case SessionReport::Kind::kRepaint:
        out.Add(ActionKind::kRepaintWindow);
        break;
      case SessionReport::Kind::kOperationFraction:
        if (mouseMacros.Running()) {
          mouseMacros.Progress(report.fraction, out);
        } else {
          out.Append(frame.OnOperationProgress(report.fraction));
        }
        break;
      case SessionReport::Kind::kOperationStatus:
        if (mouseMacros.Running()) {
          mouseMacros.Status(device::StatusTextSlotOf(report.status), out);
        } else {
          out.Append(frame.OnOperationStatus(device::StatusTextSlotOf(report.status)));
        }
        break;
      case SessionReport::Kind::kOperationSecondLine:
        out.Append(frame.OnOperationSecondLine(report.text));
        break;
      case SessionReport::Kind::kOperationEnded: {
        // A window on its way out shows no closing message.
        const std::u16string message = closing ? u"" : OperationNotice(texts, report.result).text;
        out.Append(frame.OnOperationEnded({message}));
        break;
      }
      case SessionReport::Kind::kMacroOperationEnded:
        buttonPage.OnButtonsChanged(report.buttons, texts, out);
        mouseMacros.Ended(report.macroResult, closing, out);
        break;
    }
  }
}

void WindowController::AfterDpiPage() {
  if (dpiPage.TakeLevelsChanged()) session.StoreLevels(dpiPage.Levels(), dpiPage.CurrentLevel());
  dpiPage.FormatLabels(texts);
}

PaintSnapshot WindowController::Snapshot() const {
  MemoryFigures memory;
  memory.macroAreaBytes = kMacroAreaSize;
  memory.freeBytes = buttonPage.FreeBytes();
  PaintSnapshot snapshot = WindowSnapshot(frame, texts, memory);
  if (mouseMacros.Running()) {
    snapshot.busy = mouseMacros.Panel(texts);
    snapshot.reorganising = mouseMacros.Reorganising();
  }
  buttonPage.Fill(snapshot, session.Profiles(), frame.Fades().PanelAlpha());
  macroPage.Fill(snapshot);
  ResolutionLevels& shown = snapshot.resolution;
  for (std::size_t k = 0; k < shown.dpi.size(); ++k) {
    shown.dpi[k] = {dpiPage.Levels()[k].x * dpiPage.DpiUnit(), dpiPage.Levels()[k].y * dpiPage.DpiUnit()};
  }
  shown.current = dpiPage.CurrentLevel();
  shown.mouseConnected = dpiPage.MouseReady();
  return snapshot;
}
