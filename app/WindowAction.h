#pragma once
// What the main window's controller asks of the Win32 dialog. The controller
// decides; the dialog applies each action in order and reports back what the
// user answered or chose. Only the fields that an action's kind names carry
// meaning.
#include <string>
#include <vector>

#include "ui/Canvas.h"

enum class DeviceOperation { kBackup, kRestore, kReset };

enum class FileDialogKind { kSave, kOpen };

enum class ActionKind {
  kShowControl,     // id
  kHideControl,     // id
  kEnableControl,   // id
  kDisableControl,  // id
  kRepaintWindow,   // the whole client area, without erasing
  kRepaintRect,     // rect
  kRepaintControl,  // id
  // The one of the twelve button pictures that is highlighted; where it
  // lies is the painter's knowledge.
  kRepaintHighlightedButton,
  // The next paint must leave the visible skinned controls alone.
  kSetControlsChanged,
  kStartTimer,  // id, periodMs; a running timer with that id is restarted
  kStopTimer,   // id
  // A Yes/No message box whose default button is No: message text
  // `messageSlot` and caption `captionSlot` of the text table's messages.
  // The answer comes back through OnQuestionAnswered.
  kAskYesNo,
  // The backup file dialog; the choice comes back through OnFileChosen.
  kOpenFileDialog,  // fileDialog
  kStartWorker,     // operation, text = the chosen file (empty for a reset)
  kSetWaitCursor,
  kRestoreClassCursor,
  // A message box with `text` (when it is empty: message `messageSlot`)
  // and caption `captionSlot` of the messages.
  kShowMessage,
  kSetAlpha,       // alpha: the window's own opacity
  kHideAndCenter,  // hide, make fully opaque, centre on the screen
  kShowWindow,     // show normally and bring to the foreground
  kHideWindow,     // hide to the tray; the program goes on
  kMinimizeWindow,
  kEndDialog,
};

struct WindowAction {
  explicit WindowAction(ActionKind actionKind) : kind(actionKind) {}

  ActionKind kind;
  int id = 0;  // control id or timer id
  int periodMs = 0;
  int alpha = 0;
  RectI rect;
  int messageSlot = 0;
  int captionSlot = 0;
  FileDialogKind fileDialog = FileDialogKind::kSave;
  DeviceOperation operation = DeviceOperation::kBackup;
  std::u16string text;
};

// The actions of one event, in the order the dialog applies them.
class WindowActions {
 public:
  void Add(ActionKind kind) { items.emplace_back(kind); }
  void AddWithId(ActionKind kind, int id) {
    WindowAction action{kind};
    action.id = id;
    items.push_back(action);
  }
  void RepaintRect(const RectI& rect) {
    WindowAction action{ActionKind::kRepaintRect};
    action.rect = rect;
    items.push_back(action);
  }
  void StartTimer(int id, int periodMs) {
    WindowAction action{ActionKind::kStartTimer};
    action.id = id;
    action.periodMs = periodMs;
    items.push_back(action);
  }
  void Push(WindowAction action) { items.push_back(std::move(action)); }

  const std::vector<WindowAction>& Items() const { return items; }
  bool Empty() const { return items.empty(); }

 private:
  std::vector<WindowAction> items;
};
