// The window's one path: events in, actions out, device work through the
// mouse session on a simulated mouse. What the mouse received is read off
// the simulator, never off our own calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>

#include "app/AppState.h"
#include "app/WindowController.h"
#include "base/IniFile.h"
#include "macro/LibraryFile.h"
#include "ui/MacroLayout.h"
#include "device/ConnectionEvents.h"
#include "res/resource.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"
#include "support/ControllerParts.h"
#include "support/QuietPlatform.h"
#include "support/TempFolder.h"
#include "unit/device/MacroMemory.h"

namespace {

using Kind = WindowEvent::Kind;

// The dialog's own OK and Cancel: Enter and Escape.
constexpr int kOk = 1;
constexpr int kCancel = 2;

// The connection's events and the session's wake-ups, queued as the posted
// messages of the program queue them, for the test's thread to hand on.
class QueuedEvents final : public device::ConnectionEvents {
 public:
  void RescanWanted(int delayMs) override { Push(Kind::kRescanWanted, delayMs); }
  void ArrivalEnded(bool found) override { Push(Kind::kArrivalEnded, found ? 1 : 0); }
  void MouseLost() override { Push(Kind::kMouseLost, 0); }
  void LevelChangedOnMouse(int level) override { Push(Kind::kLevelChangedOnMouse, level); }
  void SettingsChanged() override { Push(Kind::kSettingsChanged, 0); }
  bool CreateTiltMutex() override { return false; }

  void Push(Kind kind, int value) {
    WindowEvent event{kind};
    event.value = value;
    event.on = value != 0;
    std::lock_guard<std::mutex> hold(lock);
    queue.push_back(event);
  }
  std::deque<WindowEvent> Take() {
    std::lock_guard<std::mutex> hold(lock);
    std::deque<WindowEvent> taken;
    taken.swap(queue);
    return taken;
  }

 private:
  std::mutex lock;
  std::deque<WindowEvent> queue;
};

// The program's window without Win32: the controller, the session on a
// simulated mouse, and an applier that does what the real one does with
// device work and remembers the rest.
struct WindowRig : ControllerParts {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  device::HidLink link{port, clock};
  QueuedEvents events;
  NoHostInput host;
  NoSlotTimers slotTimers;
  TiltAccumulator tilt;
  TempFolder folder;
  MacroLibrary library;
  LibraryView view;
  std::unique_ptr<MouseSession> session;
  std::unique_ptr<WindowController> controller;
  std::vector<WindowAction> applied;
  std::u16string chosenFile;
  std::u16string editText;  // what an open edit box holds when a click leaves it

  explicit WindowRig(int mice = 1) {
    for (int i = 0; i < mice; ++i) port.AddMouse(sim::MouseConfig{});
    SessionPlatform platform{link, events, host, slotTimers, tilt, [] {},
                             [this] { events.Push(Kind::kSessionReports, 0); }};
    session = std::make_unique<MouseSession>(platform, library, folder / "macro.dat", u"Unknown mode");
    controller = MakeController(*session, library, view);
    App.exitAllowed = 0;
  }
  ~WindowRig() {
    session->Finish([] {});
    EXPECT_EQ(port.ProtocolErrors(), std::vector<std::string>{});
  }

  WindowActions Send(const WindowEvent& event) {
    const WindowActions actions = controller->Handle(event);
    for (const WindowAction& action : actions.Items()) Apply(action);
    return actions;
  }
  void Apply(const WindowAction& action) {
    applied.push_back(action);
    if (action.kind == ActionKind::kMouseRequest) session->Submit(action.request);
    if (action.kind == ActionKind::kStartWorker) {
      EXPECT_TRUE(session->StartOperation(action.operation, action.text));
    }
    if (action.kind == ActionKind::kFinishEditBox) {
      WindowEvent left{Kind::kEditLeft};
      left.id = action.id;
      left.text = editText;
      Send(left);
    }
    if (action.kind == ActionKind::kOpenFileDialog) {
      WindowEvent chosen{Kind::kFileChosen};
      chosen.id = action.id;
      chosen.text = chosenFile;
      Send(chosen);
    }
  }
  WindowActions Send(Kind kind, int id = 0, int value = 0) {
    WindowEvent event{kind};
    event.id = id;
    event.value = value;
    return Send(event);
  }
  // Hands on what the other threads posted until `done` holds.
  template <typename Done>
  bool PumpUntil(Done done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      for (const WindowEvent& event : events.Take()) Send(event);
      if (done()) return true;
      if (std::chrono::steady_clock::now() > limit) return false;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }
  // Shown, with the first arrival over and the lists filled.
  void Arrive() {
    Send(Kind::kStarted);
    WindowEvent shown{Kind::kVisibility};
    shown.on = true;
    Send(shown);
    Send(Kind::kTimer, timers::kRescanFirst.id);
    // The lists are filled, then the arrival's end sets the DPI page up.
    ASSERT_TRUE(PumpUntil([&] {
      return Applied(ActionKind::kFillList) == 12 && Applied(ActionKind::kSetSliderRange) == 1 &&
             !session->State().OperationBusy;
    }));
  }
  int Applied(ActionKind kind) const {
    return static_cast<int>(std::count_if(applied.begin(), applied.end(),
                                          [kind](const WindowAction& a) { return a.kind == kind; }));
  }
  static bool Has(const WindowActions& actions, ActionKind kind) {
    return std::any_of(actions.Items().begin(), actions.Items().end(),
                       [kind](const WindowAction& a) { return a.kind == kind; });
  }
  WindowActions At(Kind kind, int x, int y) {
    WindowEvent event{kind};
    event.x = x;
    event.y = y;
    return Send(event);
  }
  // A press at one point, a move past the drag threshold and a release at the other.
  void Drag(int fromX, int fromY, int toX, int toY) {
    At(Kind::kLeftButtonDown, fromX, fromY);
    At(Kind::kPointerMove, (fromX + toX) / 2, (fromY + toY) / 2);
    At(Kind::kPointerMove, toX, toY);
    At(Kind::kLeftButtonUp, toX, toY);
  }
  void ShowTab(int tab) {
    const RectI place = layout.tabs[static_cast<size_t>(tab)].rect;
    At(Kind::kLeftButtonDown, place.x + 5, place.y + 5);
  }
  std::vector<std::string> Requests() const { return port.Requests(0); }
  bool Received(const std::string& prefix) const {
    const auto all = Requests();
    return std::any_of(all.begin(), all.end(), [&](const std::string& r) { return r.rfind(prefix, 0) == 0; });
  }
};

TEST(WindowController, KeysAimedAtAFunctionListAreSwallowedWhileAPickWithThePointerIsSent) {
  WindowRig rig;
  rig.Arrive();
  rig.port.ClearLog();
  for (int list : kFunctionListIds) {
    for (int key : {0x28, 0x22, 0x23, 0x26}) {  // Down, Page Down, End, Up
      const WindowActions down = rig.Send(Kind::kKeyDown, list, key);
      EXPECT_TRUE(down.Handled()) << list;
      EXPECT_TRUE(down.Empty());
      EXPECT_TRUE(rig.Send(Kind::kKeyUp, list, key).Handled());
    }
  }
  EXPECT_FALSE(rig.Send(Kind::kKeyDown, IDC_NAME_EDIT, 0x28).Handled()) << "other controls keep their keys";
  EXPECT_FALSE(rig.Send(Kind::kKeyDown, 0, 0x1B).Handled());

  const WindowActions picked = rig.Send(Kind::kListChosen, IDC_BUTTON_LIST_3, 0xFFFF);
  EXPECT_TRUE(WindowRig::Has(picked, ActionKind::kMouseRequest));
  ASSERT_TRUE(rig.PumpUntil([&] { return rig.Received("set 01 85 00 04 00 FF FF"); }));
  EXPECT_EQ(rig.port.Requests(0).size(), 1u) << "the keys sent nothing";
}

TEST(WindowController, EscapeEnterHideMinimiseShowAndEndTakeThePathOfTheProgram) {
  WindowRig rig;
  EXPECT_TRUE(rig.Send(Kind::kCommand, kCancel).Empty()) << "Escape does not end the program";
  EXPECT_TRUE(rig.Send(Kind::kCommand, kOk).Empty()) << "nor does Enter close the window";
  EXPECT_TRUE(WindowRig::Has(rig.Send(Kind::kCommand, IDC_HIDE), ActionKind::kHideWindow));
  EXPECT_TRUE(WindowRig::Has(rig.Send(Kind::kCommand, IDC_MINIMIZE), ActionKind::kMinimizeWindow));
  const WindowActions shown = rig.Send(Kind::kShowRequest);
  ASSERT_EQ(shown.Items().size(), 2u);
  EXPECT_EQ(shown.Items()[0].kind, ActionKind::kShowWindow);
  EXPECT_EQ(shown.Items()[1].kind, ActionKind::kBringToFront);
  EXPECT_TRUE(WindowRig::Has(rig.Send(Kind::kCommand, ID_TRAY_RESTORE), ActionKind::kShowWindow));

  EXPECT_TRUE(WindowRig::Has(rig.Send(Kind::kEndRequest), ActionKind::kEndWindow));
  EXPECT_EQ(App.exitAllowed.load(), 1);
  EXPECT_TRUE(WindowRig::Has(rig.Send(Kind::kCommand, kCancel), ActionKind::kEndWindow))
      << "the close signal's cancel ends it once the program may end";
}

TEST(WindowController, ALevelChangeOnTheMouseShowsOnTheDpiPageAtOnceAndOnlyThere) {
  WindowRig rig;
  rig.Arrive();
  EXPECT_EQ(rig.controller->Snapshot().resolution.current, 0);
  const WindowActions onButtons = rig.Send(Kind::kLevelChangedOnMouse, 0, 2);
  EXPECT_FALSE(WindowRig::Has(onButtons, ActionKind::kRepaintWindow)) << "the button page shows no level";

  const RectI tab = rig.layout.tabs[1].rect;
  WindowEvent click{Kind::kLeftButtonDown};
  click.x = tab.x + 5;
  click.y = tab.y + 5;
  rig.Send(click);
  ASSERT_EQ(rig.controller->Frame().CurrentTab(), 1);
  const WindowActions onDpi = rig.Send(Kind::kLevelChangedOnMouse, 0, 3);
  EXPECT_TRUE(WindowRig::Has(onDpi, ActionKind::kRepaintWindow));
  EXPECT_EQ(rig.controller->Snapshot().resolution.current, 3) << "shown before the resynchronisation";
  EXPECT_EQ(rig.texts.labels[4].text, u"X:4000");
}

TEST(WindowController, ASliderDragEndsInOneLevelWriteOnTheMouse) {
  WindowRig rig;
  rig.Arrive();
  WindowEvent tie{Kind::kCommand};
  tie.id = kControlTieBox;
  tie.on = true;
  rig.Send(tie);
  rig.port.ClearLog();
  for (int step = 6; step <= 12; ++step) {
    WindowEvent moved{Kind::kSliderMoved};
    moved.on = true;
    moved.x = step;
    moved.y = 5;
    rig.Send(moved);
  }
  rig.Send(Kind::kTimer, timers::kLevelSend.id);
  rig.Send(Kind::kTimer, timers::kLevelCommit.id);
  // The commit comes last; the mouse's state is read once its log shows it.
  ASSERT_TRUE(rig.PumpUntil([&] { return rig.Received("set 01 02 00 00 00 00 00 12"); }));
  EXPECT_EQ(rig.port.Mouse(0).levels[0].step[0], 12);
  EXPECT_EQ(rig.port.Mouse(0).levels[0].step[1], 12) << "Y follows X while tied";
  EXPECT_EQ(rig.session->State().LevelSteps.Get()[0].x, 12);
}

TEST(WindowController, ABackupsResultReachesItsClosingMessage) {
  WindowRig rig;
  rig.Arrive();
  rig.chosenFile = (rig.folder / "mouse.mbf").u16string();
  rig.Send(Kind::kCommand, IDC_BACKUP);
  ASSERT_TRUE(rig.PumpUntil([&] { return rig.Applied(ActionKind::kShowMessage) == 1; }));
  const auto message = std::find_if(rig.applied.begin(), rig.applied.end(),
                                    [](const WindowAction& a) { return a.kind == ActionKind::kShowMessage; });
  EXPECT_EQ(message->text, u"Completed !!");
  EXPECT_TRUE(std::filesystem::exists(rig.folder / "mouse.mbf"));
  EXPECT_FALSE(rig.session->State().OperationBusy.load());
}

}  // namespace

TEST(WindowController, RecordedKeysAndPausesAreStoredByDraggingTheEditorButTheStopClickIsLeftOut) {
  WindowRig rig;
  rig.Arrive();
  rig.ShowTab(kMacroPage);
  rig.Send(Kind::kCommand, kControlRecord);
  const auto key = [&](bool down) {
    WindowEvent event{Kind::kDesktopKey};
    event.value = 0x1E;  // A
    event.id = 0x41;
    event.on = down;
    rig.Send(event);
  };
  key(true);
  key(true);  // held: the keyboard repeats
  rig.clock.SleepMicroseconds(300000);
  key(false);
  const RectI record = FindControl(rig.layout, kControlRecord)->rect;
  WindowEvent stopClick{Kind::kDesktopPointer};
  stopClick.value = 1;
  stopClick.x = record.x + 5;
  stopClick.y = record.y + 5;
  rig.Send(stopClick);
  rig.Send(Kind::kCommand, kControlRecord);

  const RectI firstStep = StepRowRect(0);
  const RectI emptySpot = LibraryRowRect(5);
  rig.Drag(firstStep.x + 20, firstStep.y + 20, emptySpot.x + 20, emptySpot.y + 20);
  const LibraryEntry* stored = rig.library.FindMacroById(1);
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->name, u"New macro 0");
  EXPECT_EQ(EncodeMacro(stored->commands), (std::vector<std::uint8_t>{0x04, 0x83, 0x04, 0x89, 0x2C, 0x01, 0x84, 0x04}));
  MacroLibrary saved;
  LibraryView savedView;
  LoadLibrary(saved, savedView, rig.folder / "macro.dat", 0);
  ASSERT_NE(saved.FindMacroById(1), nullptr) << "the store was saved";
}

TEST(WindowController, AMacroDroppedOnAButtonPictureIsSentAsMasksAndAPressOffThePictureTakesItBack) {
  WindowRig rig;
  const std::uint8_t typeA[] = {0x04, 0x83, 0x04, 0x84, 0x04, 0x00, 0x00, 0x00, 0x00};
  MacroCommands commands;
  ParseMacroBytes(commands, typeA, sizeof typeA);
  rig.library.AddEntry(u"type A", false, 0, 0, commands);
  RebuildView(rig.library, rig.view, 9);
  rig.Arrive();
  rig.port.ClearLog();
  const RectI macro = LibraryRowRect(0);
  const RectI badge = BadgeRect(3);
  rig.Drag(macro.x + 20, macro.y + 20, badge.x + 5, badge.y + 5);
  EXPECT_EQ(rig.session->Profiles().RowValue(3), 1u);
  // Mask A goes as its low nibble, its high nibble, the index read and "set mask A".
  const auto maskA = [&](const char* high) {
    const std::vector<std::string> sent{"str 76", "str 75", "str 77", high, "str 250", "str 108"};
    const std::vector<std::string> all = rig.Requests();
    return std::search(all.begin(), all.end(), sent.begin(), sent.end()) != all.end();
  };
  ASSERT_TRUE(rig.PumpUntil([&] { return maskA("str 74"); })) << "mask A 0xEF is sent";

  rig.port.ClearLog();
  rig.Drag(badge.x + 5, badge.y + 5, 200, 560);
  EXPECT_EQ(rig.session->Profiles().RowValue(3), 0u);
  ASSERT_TRUE(rig.PumpUntil([&] { return maskA("str 75"); })) << "mask A 0xFF is sent";
}

TEST(WindowController, TheRenameBoxRenamesOnEnterAndAFileThatIsNoMacroIsSaidSo) {
  WindowRig rig;
  rig.library.AddEntry(u"old", false, 0, 0, NewMacro());
  RebuildView(rig.library, rig.view, 9);
  rig.ShowTab(kMacroPage);
  const RectI name = LibraryNameRect(0);
  for (int click = 0; click < 2; ++click) {  // the second click is on the selected entry
    rig.At(Kind::kLeftButtonDown, name.x + 5, name.y + 5);
    rig.At(Kind::kLeftButtonUp, name.x + 5, name.y + 5);
  }
  ASSERT_EQ(rig.Applied(ActionKind::kOpenEditBox), 1);
  WindowEvent enter{Kind::kKeyDown};
  enter.id = kControlRenameEdit;
  enter.value = 0x0D;
  enter.text = u"renamed";
  EXPECT_TRUE(rig.Send(enter).Handled()) << "Enter does not reach the dialog";
  EXPECT_EQ(rig.library.FindMacroById(1)->name, u"renamed");
  WindowEvent left{Kind::kEditLeft};
  left.id = kControlRenameEdit;
  left.text = u"again";
  rig.Send(left);
  EXPECT_EQ(rig.library.FindMacroById(1)->name, u"renamed") << "the closed box commits nothing more";
  // Opened again and left by a click elsewhere, the box commits what it holds.
  rig.At(Kind::kLeftButtonDown, name.x + 5, name.y + 5);
  rig.At(Kind::kLeftButtonUp, name.x + 5, name.y + 5);
  ASSERT_EQ(rig.Applied(ActionKind::kOpenEditBox), 2);
  rig.editText = u"clicked away";
  const RectI editor = StepRowRect(3);
  rig.At(Kind::kLeftButtonDown, editor.x + 5, editor.y + 5);
  rig.At(Kind::kLeftButtonUp, editor.x + 5, editor.y + 5);
  EXPECT_EQ(rig.library.FindMacroById(1)->name, u"clicked away");

  rig.chosenFile = (rig.folder / "macro.dat").u16string();
  rig.Send(Kind::kCommand, kControlImport);
  const auto told = std::find_if(rig.applied.begin(), rig.applied.end(),
                                 [](const WindowAction& a) { return a.kind == ActionKind::kShowMessage; });
  ASSERT_NE(told, rig.applied.end());
  EXPECT_EQ(told->text, rig.texts.messageTexts[kMessageNotAMacroFile]);
}

TEST(WindowController, TheFirstUseGuideShowsUntilTheLibraryHoldsAMacroEvenOneInACollapsedGroup) {
  WindowRig rig;
  rig.library.AddEntry(u"Games", true, 0, 0, {});
  rig.library.AddEntry(u"Zoo", true, 0, 0, {});
  RebuildView(rig.library, rig.view, 9);
  rig.ShowTab(kMacroPage);
  EXPECT_EQ(rig.controller->Snapshot().macroPage.guideStep, 1) << "groups alone hold no macro";
  rig.library.AddEntry(u"Jump", false, 1, 0, NewMacro());
  RebuildView(rig.library, rig.view, 9);
  ASSERT_EQ(rig.view.Count(), 2) << "the macro is out of view";
  EXPECT_EQ(rig.controller->Snapshot().macroPage.guideStep, 0);
}

namespace {

// A library macro "type A" and the bytes the mouse keeps of it.
std::vector<std::uint8_t> AddTypeA(WindowRig& rig) {
  const std::uint8_t typeA[] = {0x04, 0x83, 0x04, 0x84, 0x04, 0x00, 0x00, 0x00, 0x00};
  MacroCommands commands;
  ParseMacroBytes(commands, typeA, sizeof typeA);
  rig.library.AddEntry(u"type A", false, 0, 0, commands);
  RebuildView(rig.library, rig.view, 9);
  return device::MouseMacroBytes(commands);
}

// Library row 0 dropped on button `button`'s function list.
void DropOnList(WindowRig& rig, int button) {
  const RectI macro = LibraryRowRect(0);
  const RectI list = FindControl(rig.layout, kFunctionListIds[static_cast<std::size_t>(button)])->rect;
  rig.Drag(macro.x + 20, macro.y + 20, list.x + 40, list.y + 5);
}

sim::ButtonFunction OnMouse(WindowRig& rig, int button) {
  return rig.port.Mouse(0).buttonFunctions[0][static_cast<std::size_t>(device::DeviceButtonIndex(button))];
}

const WindowAction* LastApplied(const WindowRig& rig, ActionKind kind) {
  const auto found = std::find_if(rig.applied.rbegin(), rig.applied.rend(),
                                  [kind](const WindowAction& a) { return a.kind == kind; });
  return found == rig.applied.rend() ? nullptr : &*found;
}

}  // namespace

TEST(WindowController, AMacroDroppedOnAFunctionListGoesIntoTheMouseForThatButtonAndDeleteTakesItOut) {
  WindowRig rig;
  const auto bytes = AddTypeA(rig);
  rig.Arrive();
  DropOnList(rig, 5);
  EXPECT_EQ(rig.controller->Snapshot().busy.counter, 1) << "the progress panel shows while the store runs";
  ASSERT_TRUE(rig.PumpUntil([&] { return rig.Applied(ActionKind::kFillList) == 36; }));
  EXPECT_EQ(rig.controller->Snapshot().busy.counter, 0);
  EXPECT_EQ(macro_memory::EntryWords(rig.port.Mouse(0), 0), std::make_pair(0u, static_cast<std::uint32_t>(bytes.size() - 1)));
  EXPECT_EQ(macro_memory::AreaBytes(rig.port.Mouse(0), 0, bytes.size()), bytes);
  EXPECT_EQ(OnMouse(rig, 5).kind, 0x80);
  EXPECT_EQ(OnMouse(rig, 5).code, 0);
  const WindowAction* list5 = nullptr;
  for (const WindowAction& a : rig.applied) {
    if (a.kind == ActionKind::kFillList && a.id == kFunctionListIds[5]) list5 = &a;
  }
  ASSERT_EQ(list5->entries.size(), 2u);
  EXPECT_EQ(list5->entries[1].text, u"type A");
  EXPECT_EQ(list5->selected, 1) << "the list shows the button playing it";
  EXPECT_TRUE(list5->on);

  EXPECT_TRUE(rig.Send(Kind::kKeyDown, kFunctionListIds[4], 0x2E).Empty()) << "a list of an own function asks nothing";
  rig.Send(Kind::kKeyDown, kFunctionListIds[5], 0x2E);
  const WindowAction* ask = LastApplied(rig, ActionKind::kAskYesNo);
  ASSERT_NE(ask, nullptr);
  EXPECT_EQ(ask->text, u"Remove the macro 'type A' ?");
  WindowEvent yes{Kind::kQuestionAnswered};
  yes.id = ask->id;
  yes.on = true;
  rig.Send(yes);
  ASSERT_TRUE(rig.PumpUntil([&] { return rig.Applied(ActionKind::kFillList) == 60; }));
  EXPECT_EQ(macro_memory::EntryWords(rig.port.Mouse(0), 0), std::make_pair(0xFFFFu, 0xFFFFu));
  EXPECT_EQ(OnMouse(rig, 5).kind, 0);
  EXPECT_EQ(OnMouse(rig, 5).code, 0xFFFF);
  EXPECT_EQ(LastApplied(rig, ActionKind::kFillList)->entries.size(), 1u);
  EXPECT_EQ(rig.Applied(ActionKind::kShowMessage), 0);
}

TEST(WindowController, AFullMouseSaysSoAndScatteredSpaceIsPackedUnderTheWholeWindowOverlayWhenTheUserAgrees) {
  {
    WindowRig rig;
    AddTypeA(rig);
    macro_memory::PlaceMacro(rig.port.Mouse(0), 0, 0, macro_memory::Macro(1, kMacroAreaSize), u"full");
    rig.Arrive();
    DropOnList(rig, 5);
    ASSERT_TRUE(rig.PumpUntil([&] { return rig.Applied(ActionKind::kShowMessage) == 1; }));
    EXPECT_EQ(LastApplied(rig, ActionKind::kShowMessage)->messageSlot, 5);
    EXPECT_EQ(rig.texts.messageTexts[5], u"Not enough space !!");
    EXPECT_EQ(OnMouse(rig, 5).kind, 0);
  }
  WindowRig rig;
  const auto bytes = AddTypeA(rig);
  // Two gaps, each a byte too short for the macro; the small macro between
  // them moves by more than its size, so it needs no intermediate copy.
  const auto gap = static_cast<std::uint32_t>(bytes.size() - 1);
  const auto first = macro_memory::Macro(1, kMacroAreaSize - 4 - 2 * gap);
  const auto second = macro_memory::Macro(2, 4);
  macro_memory::PlaceMacro(rig.port.Mouse(0), 0, 0, first, u"first");
  macro_memory::PlaceMacro(rig.port.Mouse(0), 1, static_cast<std::uint32_t>(first.size()) + gap, second, u"second");
  rig.Arrive();
  DropOnList(rig, 5);
  ASSERT_TRUE(rig.PumpUntil([&] { return rig.Applied(ActionKind::kAskYesNo) == 1; }));
  const WindowAction* ask = LastApplied(rig, ActionKind::kAskYesNo);
  EXPECT_EQ(ask->messageSlot, 4);
  EXPECT_EQ(ask->captionSlot, 3);
  WindowEvent yes{Kind::kQuestionAnswered};
  yes.id = ask->id;
  yes.on = true;
  rig.Send(yes);
  EXPECT_TRUE(rig.controller->Snapshot().reorganising);
  EXPECT_EQ(rig.controller->Snapshot().busy.counter, 0) << "the whole window is covered instead";
  ASSERT_TRUE(rig.PumpUntil([&] { return !rig.controller->Snapshot().reorganising; }));
  const auto packedEnd = static_cast<std::uint32_t>(first.size() + second.size());
  EXPECT_EQ(macro_memory::AreaBytes(rig.port.Mouse(0), static_cast<std::uint32_t>(first.size()), 4), second);
  EXPECT_EQ(macro_memory::EntryWords(rig.port.Mouse(0), 2),
            std::make_pair(packedEnd, packedEnd + static_cast<std::uint32_t>(bytes.size()) - 1));
  EXPECT_EQ(OnMouse(rig, 5).kind, 0x80);
  EXPECT_EQ(OnMouse(rig, 5).code, packedEnd);
  EXPECT_EQ(rig.Applied(ActionKind::kShowMessage), 0);
}
