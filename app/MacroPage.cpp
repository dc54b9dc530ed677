#include "app/MacroPage.h"

#include <string>

#include "app/WindowTimers.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "macro/MacroFile.h"
#include "macro/VirtualKeys.h"
#include "ui/MacroLayout.h"

namespace {

// Virtual keys the panes and edit boxes answer.

// Message entries of the text table.
constexpr int kMessageSaveCaption = 1;
constexpr int kMessageOverwrite = 2;
constexpr int kMessageRemoveCaption = 6;
constexpr int kMessageRemoveMacro = 7;
constexpr int kMessageKeyPrompt = 12;
constexpr int kMessageButtonPrompt = 13;
constexpr int kMessageWheelPrompt = 14;
constexpr int kMessageRemoveGroup = 18;

constexpr std::uint8_t kGuideAlpha = 0xC0;
constexpr int kRenameLength = 28;
constexpr int kShortRenameLength = 14;
constexpr int kWaitLength = 5;
// Label slots of the new entries' names.
constexpr int kSlotNewMacro = 35;
constexpr int kSlotNewGroup = 36;

MacroStepTexts StepTextsOf(const UiText& texts) {
  MacroStepTexts steps;
  for (int i = 0; i < MacroStepTexts::kStepCount; ++i) steps.SetStep(i, texts.macroStepTexts[static_cast<size_t>(i)]);
  for (int i = 0; i < MacroStepTexts::kButtonCount; ++i) {
    steps.SetButtonName(i, texts.mouseButtonNames[static_cast<size_t>(i)]);
  }
  return steps;
}

void Repaint(WindowActions& out) { out.Add(ActionKind::kRepaintWindow); }

bool OnMacroPanes(int page) { return page == kButtonPage || page == kMacroPage; }

}  // namespace

MacroPage::MacroPage(MacroLibrary& library, LibraryView& view, KeyNames& keys, const UiText& texts,
                     const SkinLayout& layout, MouseSession& session)
    : keys(keys),
      texts(texts),
      layout(layout),
      session(session),
      stepTexts(StepTextsOf(texts)),
      pane(library, view) {
  drag.SetLibraryPane(kLibraryPane);
}

bool MacroPage::Busy() const { return session.State().OperationBusy.load(); }

bool MacroPage::ChangeLibrary(const std::function<bool()>& change) {
  const int saved = session.Profiles().ChangeLibrary(change);
  if (saved == 0) diag::Write("library change not saved");
  return saved != -1;
}

DropSpot MacroPage::SpotAt(int page, int x, int y) const {
  DropSpot spot;
  const int tool = ToolboxItemAt(page, x, y);
  if (tool == 0) {
    spot.target = DropTarget::kDiscard;
    return spot;
  }
  if (InLibraryPane(x, y)) {
    const int inView = LibraryRowAt(x, y);
    const int row = inView < 0 ? -1 : pane.FirstVisible() + inView;
    const LibraryEntry* entry = pane.EntryAt(row);
    spot.target = entry && entry->IsGroup() ? DropTarget::kGroupRow : DropTarget::kLibrary;
    spot.index = entry ? row : -1;
    return spot;
  }
  if (page == kMacroPage && InStepPane(x, y)) {
    const int inView = StepRowAt(x, y);
    const int row = editor.FirstVisible() + inView;
    spot.target = DropTarget::kEditor;
    spot.index = inView >= 0 && row < static_cast<int>(editor.Commands().size()) ? row : -1;
    return spot;
  }
  if (page == kButtonPage) {
    const int button = ButtonAt(x, y);
    const int list = FunctionListAt(layout, x, y);
    if (button >= 0) {
      spot.target = DropTarget::kButtonPicture;
      spot.index = button;
    } else if (list >= 0) {
      spot.target = DropTarget::kFunctionList;
      spot.index = list;
    }
  }
  return spot;
}

bool MacroPage::OnLeftButtonDown(int page, int x, int y, WindowActions& out) {
  if (!OnMacroPanes(page)) return false;
  // A click beside an open box commits it, as its losing the focus would.
  if (openEdit != 0) out.AddWithId(ActionKind::kFinishEditBox, openEdit);
  // Keys work the panes from a click in one of them to a click elsewhere.
  keysToPanes = InLibraryPane(x, y) || (page == kMacroPage && InStepPane(x, y));
  if (page == kMacroPage && RecordIntervalsBox().Contains(x, y)) {
    recordIntervals = !recordIntervals;
    out.RepaintRect(RecordIntervalsBox());
    return true;
  }
  DragPayload payload;
  const int tool = ToolboxItemAt(page, x, y);
  if (tool == 1 && page == kButtonPage) {
    // The button page's second tool is the new-group button.
    if (!Busy()) ChangeLibrary([&] { return pane.NewGroup(texts.labels[kSlotNewGroup].text) >= 0; });
    Repaint(out);
    return true;
  }
  if (tool >= 1) {
    payload.source = DragSource::kPaletteItem;
    payload.index = tool;
  } else if (InLibraryPane(x, y)) {
    activePane = 0;
    const int inView = LibraryRowAt(x, y);
    const LibraryEntry* entry = inView < 0 ? nullptr : pane.EntryAt(pane.FirstVisible() + inView);
    if (entry) {
      payload.source = entry->IsGroup() ? DragSource::kLibraryGroup : DragSource::kLibraryMacro;
      payload.index = pane.FirstVisible() + inView;
    }
    Repaint(out);
  } else if (page == kMacroPage && InStepPane(x, y)) {
    activePane = 1;
    const int inView = StepRowAt(x, y);
    const int row = editor.FirstVisible() + inView;
    if (inView >= 0 && row < static_cast<int>(editor.Commands().size())) {
      payload.source = row == 0 ? DragSource::kEditorMode : DragSource::kEditorCommand;
      payload.index = row;
    }
    Repaint(out);
  } else if (page == kButtonPage && ButtonAt(x, y) >= 0) {
    payload.source = DragSource::kButtonPicture;
    payload.index = ButtonAt(x, y);
  }
  if (payload.source == DragSource::kNone) return false;
  if (Busy() || recorder.Recording()) return true;
  drag.Press(x, y, payload);
  WindowAction capture{ActionKind::kCapturePointer};
  capture.on = true;
  out.Push(capture);
  return true;
}

bool MacroPage::OnPointerMove(int page, int x, int y, WindowActions& out) {
  if (!drag.Pressed()) return false;
  Follow(drag.Move(x, y, SpotAt(page, x, y)), out);
  return true;
}

// The pointer's shape, the drop feedback and the library's edge scrolling follow the gesture.
void MacroPage::Follow(const DragReport& report, WindowActions& out) {
  if (report.pointerKind >= 0) {
    WindowAction pointer{ActionKind::kSetPointerKind};
    pointer.value = report.pointerKind;
    out.Push(pointer);
  }
  if (report.targetChanged || report.started) Repaint(out);
  if (report.scrollChanged) {
    if (drag.ScrollRows() != 0) {
      out.StartTimer(timers::kLibraryEdgeScroll.id, timers::kLibraryEdgeScroll.periodMs);
    } else {
      out.AddWithId(ActionKind::kStopTimer, timers::kLibraryEdgeScroll.id);
    }
  }
}

void MacroPage::OnEdgeScrollTimer(WindowActions& out) {
  if (drag.ScrollRows() == 0 || !pane.ScrollBy(drag.ScrollRows())) {
    out.AddWithId(ActionKind::kStopTimer, timers::kLibraryEdgeScroll.id);
    return;
  }
  out.RepaintRect(kLibraryPane);
}

bool MacroPage::OnLeftButtonUp(int page, int x, int y, WindowActions& out) {
  if (!drag.Pressed()) return false;
  const DragReport report = drag.Release(SpotAt(page, x, y));
  Follow(report, out);
  out.Push(WindowAction{ActionKind::kCapturePointer});
  if (report.outcome == DragOutcome::kClicked) Click(report.payload, x, y, out);
  if (report.outcome == DragOutcome::kDropped) Drop(report, out);
  if (report.outcome == DragOutcome::kGivenBack) AssignButton(report.payload.index, 0, out);
  Repaint(out);
  return true;
}

void MacroPage::CancelGesture(WindowActions& out) {
  if (!drag.Pressed()) return;
  Follow(drag.Cancel(), out);
  out.Push(WindowAction{ActionKind::kCapturePointer});
}

void MacroPage::Click(const DragPayload& payload, int x, int y, WindowActions& out) {
  switch (payload.source) {
    case DragSource::kLibraryMacro:
    case DragSource::kLibraryGroup: {
      const int row = payload.index;
      const bool wasSelected = row == pane.Selected();
      const int inView = row - pane.FirstVisible();
      const LibraryEntry* entry = pane.EntryAt(row);
      if (wasSelected && entry && entry->IsGroup() && FolderIconRect(inView).Contains(x, y)) {
        ChangeLibrary([&] { return pane.ToggleGroup(row); });
      } else if (wasSelected && LibraryNameRect(inView).Contains(x, y)) {
        OpenRename(row, kRenameLength, out);
      } else {
        pane.Select(row);
      }
      break;
    }
    case DragSource::kEditorMode:
    case DragSource::kEditorCommand:
      ClickStep(payload.index, out);
      break;
    default:
      break;
  }
}

// The first click selects a command; a click on the selected one edits it.
void MacroPage::ClickStep(int row, WindowActions& out) {
  if (row != editor.Selected()) {
    editor.Select(row);
    return;
  }
  const MacroEditor::EditStart start = editor.EditGesture(row);
  if (start.action == MacroEditor::EditStart::Action::kCapture) StartCapture(out);
  if (start.action != MacroEditor::EditStart::Action::kWaitBox) return;
  openEdit = kControlNumberEdit;
  editRow = row;
  WindowAction box{ActionKind::kOpenEditBox};
  box.id = kControlNumberEdit;
  box.rect = WaitValueRect(row - editor.FirstVisible());
  box.text = text::FromUtf8(std::to_string(start.waitValue));
  box.value = kWaitLength;
  out.Push(box);
}

// The gesture let only the drops through that its table accepts.
void MacroPage::Drop(const DragReport& report, WindowActions& out) {
  const DragPayload& payload = report.payload;
  const DropSpot& spot = report.spot;
  switch (payload.source) {
    case DragSource::kPaletteItem: {
      if (editor.InsertTemplate(payload.index, spot.index) >= 0) StartCapture(out);
      break;
    }
    case DragSource::kLibraryMacro:
    case DragSource::kLibraryGroup: {
      const LibraryEntry* entry = pane.EntryAt(payload.index);
      if (!entry) break;
      if (spot.target == DropTarget::kEditor && !entry->IsGroup()) {
        editor.Load(entry->commands);
        diag::Writef("library row %d loaded", payload.index);
        activePane = 1;
      } else if (spot.target == DropTarget::kGroupRow) {
        ChangeLibrary([&] { return pane.MoveIntoGroup(payload.index, spot.index); });
      } else if (spot.target == DropTarget::kDiscard) {
        AskToRemove(payload.index, out);
      } else if (spot.target == DropTarget::kButtonPicture && !entry->IsGroup()) {
        AssignButton(spot.index, entry->id, out);
      } else if (spot.target == DropTarget::kFunctionList && !entry->IsGroup()) {
        mouseStore = MouseStoreWish{entry->name, entry->commands, spot.index};
        diag::Writef("library row %d dropped on function list %d", payload.index, spot.index);
      }
      break;
    }
    case DragSource::kEditorMode:
    case DragSource::kEditorCommand:
      if (spot.target == DropTarget::kLibrary || spot.target == DropTarget::kGroupRow) {
        AskToStore(spot.index, out);
      } else if (spot.target == DropTarget::kDiscard && !Busy()) {
        editor.DeleteCommand(payload.index);
      }
      break;
    default:
      break;
  }
}

std::optional<MouseStoreWish> MacroPage::TakeMouseStore() {
  std::optional<MouseStoreWish> taken;
  taken.swap(mouseStore);
  return taken;
}

void MacroPage::AssignButton(int button, std::uint32_t macroId, WindowActions& out) {
  const int stored = macroId == 0 ? session.Profiles().ClearRowValue(button)
                                  : session.Profiles().SetRowValue(button, macroId);
  diag::Writef("button %d given macro %u: %s", button, static_cast<unsigned>(macroId), stored ? "saved" : "refused");
  if (!stored) return;
  MouseRequest masks;
  masks.kind = MouseRequest::Kind::kSendMasks;
  out.Request(masks);
  Repaint(out);
}

void MacroPage::AskToStore(int row, WindowActions& out) {
  if (Busy()) return;
  if (pane.WhereToStore(row) != StoreTarget::kOverwrite) {
    Store(row, out);
    return;
  }
  pendingStore = row;
  WindowAction ask{ActionKind::kAskYesNo};
  ask.id = kAboutStoreMacro;
  ask.text = FormatNamedMessage(texts.messageTexts[kMessageOverwrite], pane.EntryAt(row)->name);
  ask.captionSlot = kMessageSaveCaption;
  out.Push(ask);
}

void MacroPage::Store(int row, WindowActions& out) {
  int stored = -1;
  ChangeLibrary([&] {
    stored = pane.Store(row, editor.Commands(), texts.labels[kSlotNewMacro].text);
    return stored >= 0;
  });
  activePane = 0;
  if (stored >= 0) diag::Writef("editor stored as library row %d", stored);
  Repaint(out);
}

void MacroPage::AskToRemove(int row, WindowActions& out) {
  const LibraryEntry* entry = pane.EntryAt(row);
  if (!entry || Busy()) return;
  pendingRemove = row;
  WindowAction ask{ActionKind::kAskYesNo};
  ask.id = kAboutRemoveEntry;
  ask.text = FormatNamedMessage(texts.messageTexts[entry->IsGroup() ? kMessageRemoveGroup : kMessageRemoveMacro],
                                entry->name);
  ask.captionSlot = kMessageRemoveCaption;
  out.Push(ask);
}

void MacroPage::OnQuestionAnswered(int about, bool yes, WindowActions& out) {
  if (about == kAboutStoreMacro) {
    if (yes) Store(pendingStore, out);
    pendingStore = -1;
  } else if (about == kAboutRemoveEntry) {
    if (yes) {
      const int row = pendingRemove;
      ChangeLibrary([&] { return pane.Remove(row); });
      diag::Writef("library row %d removed", row);
    }
    pendingRemove = -1;
  }
  Repaint(out);
}

bool MacroPage::OnWheel(int page, int x, int y, int delta, WindowActions& out) {
  if (!OnMacroPanes(page) || delta == 0) return false;
  if (InLibraryPane(x, y)) {
    pane.Wheel(delta);
  } else if (page == kMacroPage && InStepPane(x, y)) {
    editor.Wheel(delta);
  } else {
    return false;
  }
  Repaint(out);
  return true;
}

bool MacroPage::OnKey(int page, const WindowEvent& key, WindowActions& out) {
  const bool down = key.kind == WindowEvent::Kind::kKeyDown;
  if (openEdit != 0 && key.id == openEdit) {
    if (key.value != kKeyEnter && key.value != kKeyEscape) return false;
    out.MarkHandled();
    if (down && key.value == kKeyEnter) CommitEdit(key.text, true, out);
    if (down && key.value == kKeyEscape) CloseEdit(out);
    return true;
  }
  // The recorder hears keys from raw input; none of them may act here too.
  if (recorder.Recording()) {
    out.MarkHandled();
    return true;
  }
  if (!OnMacroPanes(page) || openEdit != 0 || !keysToPanes || !down) return false;
  if (activePane == 1 && page == kMacroPage) {
    if (key.value == kKeyDelete && Busy()) return false;
    if (!editor.OnKey(key.value)) return false;
  } else {
    const PaneKeyResult result = pane.OnKey(key.value);
    if (result == PaneKeyResult::kNone) return false;
    if (result == PaneKeyResult::kChanged) ChangeLibrary([] { return true; });
    if (result == PaneKeyResult::kRemoveAsked && !Busy()) AskToRemove(pane.Selected(), out);
  }
  out.MarkHandled();
  Repaint(out);
  return true;
}

bool MacroPage::OnCommand(int id, WindowActions& out) {
  if (id == kControlRecord) {
    ToggleRecording(out);
  } else if (id == kControlClear) {
    if (!Busy() && !recorder.Recording()) editor.NewMacro();
    Repaint(out);
  } else if (id == kControlExport || id == kControlImport) {
    if (recorder.Recording() || (id == kControlImport && Busy())) return true;
    WindowAction dialog{ActionKind::kOpenFileDialog};
    dialog.id = id == kControlExport ? kAboutMacroExport : kAboutMacroImport;
    dialog.fileDialog = id == kControlExport ? FileDialogKind::kSave : FileDialogKind::kOpen;
    out.Push(dialog);
  } else {
    return false;
  }
  return true;
}

void MacroPage::OnFileChosen(int about, const std::u16string& file, WindowActions& out) {
  if (file.empty()) return;
  const std::filesystem::path path = std::filesystem::path(file);
  if (about == kAboutMacroExport) {
    const MacroFileWrite written = ExportMacroFile(path, editor.Commands());
    diag::Writef("macro exported: %d", static_cast<int>(written));
    // A file the user asked for and did not get is said, not passed over.
    if (written == MacroFileWrite::kTooLarge) {
      Tell(MacroTooLargeText(texts.messageTexts[kMessageMacroTooLarge], editor.Size()), out);
    } else if (written == MacroFileWrite::kCannotWrite) {
      Tell(texts.messageTexts[kMessageMacroFileUnwritable], out);
    }
  } else if (about == kAboutMacroImport) {
    // The file's macro, read whole, goes in as a library macro would.
    MacroCommands imported = ::NewMacro();
    const MacroFileRead read = ImportMacroFile(path, imported);
    diag::Writef("macro imported: %d", static_cast<int>(read));
    if (read == MacroFileRead::kRead) editor.Load(imported);
    if (read == MacroFileRead::kCannotOpen) Tell(texts.messageTexts[kMessageMacroFileUnreadable], out);
    if (read == MacroFileRead::kWrongMagic) Tell(texts.messageTexts[kMessageNotAMacroFile], out);
  }
  Repaint(out);
}

void MacroPage::Tell(const std::u16string& message, WindowActions& out) {
  WindowAction told{ActionKind::kShowMessage};
  told.text = message;
  told.captionSlot = kMessageMacroFileCaption;
  out.Push(told);
}

void MacroPage::ToggleRecording(WindowActions& out) {
  if (Busy()) return;
  if (promptSlot >= 0) EndCapture(out);
  WindowAction recording{ActionKind::kSetRecording};
  if (recorder.Recording()) {
    recorder.Stop();
    diag::Write("recording stopped");
  } else {
    recorder.Start(recordIntervals);
    activePane = 1;
    recording.on = true;
    diag::Write("recording started");
  }
  recording.value = 1;
  out.Push(recording);
  Repaint(out);
}

// The editor waits for a key, a button or a wheel turn for the command it marked.
void MacroPage::StartCapture(WindowActions& out) {
  const int row = editor.CaptureRow();
  if (row < 0) return;
  const MacroCommand& target = editor.Commands()[static_cast<size_t>(row)];
  const Capture capture = CaptureFor(target);
  if (capture == Capture::kNone) return;
  recorder.StartCapture(target);
  promptSlot = capture == Capture::kKey      ? kMessageKeyPrompt
               : capture == Capture::kWheel ? kMessageWheelPrompt
                                            : kMessageButtonPrompt;
  WindowAction listen{ActionKind::kSetRecording};
  listen.on = true;
  out.Push(listen);
  Repaint(out);
}

void MacroPage::EndCapture(WindowActions& out) {
  promptSlot = -1;
  recorder.Stop();
  out.Push(WindowAction{ActionKind::kSetRecording});
  Repaint(out);
}

void MacroPage::OnDesktopKey(const WindowEvent& key, WindowActions& out) {
  if (!recorder.Recording() && promptSlot < 0) return;
  RecordedKey input;
  input.makeCode = static_cast<std::uint16_t>(key.value);
  input.virtualKey = static_cast<std::uint16_t>(key.id);
  input.down = key.on;
  input.e0 = (key.x & 1) != 0;
  input.e1 = (key.x & 2) != 0;
  AfterInput(recorder.OnKey(input, session.NowMicroseconds() / 1000, keys.Table()), out);
}

void MacroPage::OnDesktopPointer(const WindowEvent& pointer, WindowActions& out) {
  if (!recorder.Recording() && promptSlot < 0) return;
  RecordedMouse input;
  input.pressed = static_cast<std::uint8_t>(pointer.value);
  input.released = static_cast<std::uint8_t>(pointer.id);
  input.wheelDelta = static_cast<int>(pointer.packed);
  const ControlPlacement* record = FindControl(layout, kControlRecord);
  input.overRecordButton = record && record->rect.Contains(pointer.x, pointer.y);
  AfterInput(recorder.OnMouse(input, session.NowMicroseconds() / 1000), out);
}

void MacroPage::AfterInput(const std::vector<MacroCommand>& recorded, WindowActions& out) {
  for (const MacroCommand& command : recorded) editor.Append(command);
  const CaptureResult capture = recorder.TakeCapture();
  if (capture.done) {
    editor.ApplyCapture(capture.command);
    EndCapture(out);
  }
  if (!recorded.empty()) out.RepaintRect(kStepPane);
}

void MacroPage::OnRenameRequest(int page, WindowActions& out) {
  if (OnMacroPanes(page) && pane.EntryAt(pane.Selected())) OpenRename(pane.Selected(), kShortRenameLength, out);
}

void MacroPage::OpenRename(int row, int maxLength, WindowActions& out) {
  const LibraryEntry* entry = pane.EntryAt(row);
  if (!entry || Busy()) return;
  pane.Select(row);
  openEdit = kControlRenameEdit;
  editRow = row;
  WindowAction box{ActionKind::kOpenEditBox};
  box.id = kControlRenameEdit;
  box.rect = LibraryNameRect(row - pane.FirstVisible());
  box.text = entry->name.substr(0, static_cast<size_t>(maxLength));
  box.value = maxLength;
  out.Push(box);
}

void MacroPage::OnEditLeft(int id, const std::u16string& text, WindowActions& out) {
  if (openEdit != 0 && id == openEdit) CommitEdit(text, false, out);
}

void MacroPage::CommitEdit(const std::u16string& text, bool byEnter, WindowActions& out) {
  const int id = openEdit;
  const int row = editRow;
  CloseEdit(out);
  if (id == kControlNumberEdit) {
    editor.CommitWait(row, text, byEnter);
  } else if (id == kControlRenameEdit) {
    ChangeLibrary([&] { return pane.Rename(row, text, kRenameLength); });
  }
  Repaint(out);
}

void MacroPage::CloseEdit(WindowActions& out) {
  if (openEdit == 0) return;
  // Closing moves the focus, which reports the box as left: forget it first.
  const int id = openEdit;
  openEdit = 0;
  editRow = -1;
  out.AddWithId(ActionKind::kCloseEditBox, id);
}

void MacroPage::Fill(PaintSnapshot& snapshot) const {
  MacroPageView& view = snapshot.macroPage;
  view.libraryFirstRow = pane.FirstVisible();
  for (int row = pane.FirstVisible(); row < pane.Count() && row < pane.FirstVisible() + LibraryPane::kVisibleRows;
       ++row) {
    const LibraryEntry* entry = pane.EntryAt(row);
    LibraryRowView shown;
    shown.name = entry->name;
    shown.group = entry->IsGroup();
    shown.expanded = shown.group && (entry->flags & LibraryEntry::kExpanded) != 0;
    shown.childCount = shown.group ? static_cast<int>(entry->size) : 0;
    shown.inGroup = !shown.group && entry->listedUngrouped == 0;
    const LibraryEntry* next = pane.EntryAt(row + 1);
    shown.lastOfGroup = (shown.group || shown.inGroup) && (!next || next->IsGroup() || next->listedUngrouped != 0);
    if (row == pane.Selected()) view.librarySelected = static_cast<int>(view.libraryRows.size());
    view.libraryRows.push_back(std::move(shown));
  }
  const MacroCommands& commands = editor.Commands();
  view.stepFirstRow = editor.FirstVisible();
  for (int row = editor.FirstVisible();
       row < static_cast<int>(commands.size()) && row < editor.FirstVisible() + MacroEditor::kVisibleRows; ++row) {
    const MacroCommand& command = commands[static_cast<size_t>(row)];
    if (row == editor.Selected()) view.stepSelected = static_cast<int>(view.stepRows.size());
    view.stepRows.push_back({StepAddress(command), StepIcon(command), StepText(command, stepTexts, keys)});
  }
  view.activePane = activePane;
  view.recordIntervals = recordIntervals;
  view.recording = recorder.Recording() && promptSlot < 0;
  if (promptSlot >= 0) view.capturePrompt = texts.messageTexts[static_cast<size_t>(promptSlot)];
  if (drag.Dragging()) {
    const DropSpot spot = drag.Spot();
    if (spot.target == DropTarget::kEditor && spot.index >= 0) view.insertionRow = spot.index - editor.FirstVisible();
    if ((spot.target == DropTarget::kLibrary || spot.target == DropTarget::kGroupRow) && spot.index >= 0) {
      view.libraryDropRow = spot.index - pane.FirstVisible();
    }
    if (spot.target == DropTarget::kDiscard) view.litTool = 0;
    const bool macroDragged = drag.Payload().source == DragSource::kLibraryMacro;
    snapshot.buttonPage.dropTargetsLit = macroDragged;
    // A list lights its button's badge too: the drop is meant for that button.
    if (macroDragged && (spot.target == DropTarget::kButtonPicture || spot.target == DropTarget::kFunctionList)) {
      snapshot.buttonPage.dropButton = spot.index;
    }
  }
  snapshot.editedMacroBytes = static_cast<int>(editor.Size());
  view.guideStep = snapshot.page == kMacroPage ? GuideStep() : 0;
  view.guideAlpha = kGuideAlpha;
}

// A first-use guide while the library holds no macro: first into the editor
// (a template dragged in, or a recording), then the editor into the library.
// Every paint asks, so the pane's rows are read from the end: the ungrouped
// macros come last and each group row counts its macros, so only empty
// groups at the end of the list make the scan go further than one row.
int MacroPage::GuideStep() const {
  for (int row = pane.Count() - 1; row >= 0; --row) {
    const LibraryEntry* entry = pane.EntryAt(row);
    if (!entry->IsGroup() || entry->size != 0) return 0;
  }
  return editor.Commands().size() > 1 ? 2 : 1;
}
