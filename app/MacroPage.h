#pragma once
// The macro panes of the "Button settings" and "Macro settings" pages: the
// library with its groups, the editor with its palette, the recorder and the
// editor's captures, macro files, and the button pictures that take a
// library macro for the current software profile. Every pointer gesture of
// the panes is one drag gesture: press, threshold, payload, target, drop.
// Portable: it answers events with window actions.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/MouseSession.h"
#include "app/UiText.h"
#include "app/WindowAction.h"
#include "app/WindowEvent.h"
#include "macro/KeyNames.h"
#include "macro/LibraryPane.h"
#include "macro/LibraryView.h"
#include "macro/MacroEditor.h"
#include "macro/MacroLibrary.h"
#include "macro/MacroRecorder.h"
#include "macro/StepTexts.h"
#include "ui/DragGesture.h"
#include "ui/PaintSnapshot.h"
#include "ui/SkinLayout.h"

// A library macro dropped on a button's function list: the mouse is to keep
// it and play it on that button.
struct MouseStoreWish {
  std::u16string name;
  MacroCommands commands;
  int button = -1;
};

class MacroPage {
 public:
  // Every reference must outlive the page.
  MacroPage(MacroLibrary& library, LibraryView& view, KeyNames& keys, const UiText& texts, const SkinLayout& layout,
            MouseSession& session);

  // Each returns true when the event was the panes'. `page` is the page shown.
  bool OnLeftButtonDown(int page, int x, int y, WindowActions& out);
  bool OnPointerMove(int page, int x, int y, WindowActions& out);
  bool OnLeftButtonUp(int page, int x, int y, WindowActions& out);
  bool OnWheel(int page, int x, int y, int delta, WindowActions& out);
  // A key of the window's thread: edit boxes, the panes' keys, and every
  // key while the recorder runs.
  bool OnKey(int page, const WindowEvent& key, WindowActions& out);
  bool OnCommand(int id, WindowActions& out);
  void OnEditLeft(int id, const std::u16string& text, WindowActions& out);
  void OnDesktopKey(const WindowEvent& key, WindowActions& out);
  void OnDesktopPointer(const WindowEvent& pointer, WindowActions& out);
  void OnQuestionAnswered(int about, bool yes, WindowActions& out);
  void OnFileChosen(int about, const std::u16string& file, WindowActions& out);
  void OnRenameRequest(int page, WindowActions& out);
  void OnEdgeScrollTimer(WindowActions& out);
  // The page changes or the pointer went elsewhere: a drag ends unfinished.
  void CancelGesture(WindowActions& out);

  // The drop on a function list that the last release made, once.
  std::optional<MouseStoreWish> TakeMouseStore();
  bool Recording() const { return recorder.Recording(); }
  void Fill(PaintSnapshot& snapshot) const;

 private:
  DropSpot SpotAt(int page, int x, int y) const;
  void Follow(const DragReport& report, WindowActions& out);
  void Drop(const DragReport& report, WindowActions& out);
  void Click(const DragPayload& payload, int x, int y, WindowActions& out);
  void ClickStep(int row, WindowActions& out);
  void StartCapture(WindowActions& out);
  // Commands the recorder made of one input, and a capture it completed.
  void AfterInput(const std::vector<MacroCommand>& recorded, WindowActions& out);
  void EndCapture(WindowActions& out);
  void ToggleRecording(WindowActions& out);
  void Tell(const std::u16string& message, WindowActions& out);
  void AskToStore(int row, WindowActions& out);
  void Store(int row, WindowActions& out);
  void AskToRemove(int row, WindowActions& out);
  void OpenRename(int row, int maxLength, WindowActions& out);
  void CloseEdit(WindowActions& out);
  void CommitEdit(const std::u16string& text, bool byEnter, WindowActions& out);
  void AssignButton(int button, std::uint32_t macroId, WindowActions& out);
  // Runs a change of the library under the players' lock and saves it.
  bool ChangeLibrary(const std::function<bool()>& change);
  bool Busy() const;
  int GuideStep() const;

  KeyNames& keys;
  const UiText& texts;
  const SkinLayout& layout;
  MouseSession& session;
  MacroStepTexts stepTexts;
  LibraryPane pane;
  MacroEditor editor;
  MacroRecorder recorder;
  DragGesture drag;
  int activePane = 0;  // 0 library, 1 editor
  bool keysToPanes = false;
  bool recordIntervals = true;
  int promptSlot = -1;  // the message a capture shows, -1 for none
  // An edit box over a row: the rename boxes or the wait's number box.
  int openEdit = 0;
  int editRow = -1;
  int pendingStore = -1;   // the row a store asks about
  int pendingRemove = -1;  // the row a removal asks about
  std::optional<MouseStoreWish> mouseStore;
};
