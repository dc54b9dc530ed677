#pragma once
// What the main window's controller asks of the Win32 side: the one
// vocabulary of the window. The controller decides; the applier carries out
// each action in order and reports back what the user answered or chose.
// Only the fields that an action's kind names carry meaning.
#include <cstdint>
#include <string>
#include <vector>

#include "app/MouseRequest.h"
#include "ui/Canvas.h"

enum class DeviceOperation { kBackup, kRestore, kReset };

enum class FileDialogKind { kSave, kOpen };

// What a file dialog or a question is for; its answer comes back with it.
inline constexpr int kAboutOperation = 0;     // backup, restore, reset
inline constexpr int kAboutMacroExport = 1;
inline constexpr int kAboutMacroImport = 2;
inline constexpr int kAboutStoreMacro = 3;
inline constexpr int kAboutRemoveEntry = 4;
inline constexpr int kAboutRemoveMouseMacro = 5;  // a macro leaves the mouse's memory
inline constexpr int kAboutDefragment = 6;        // the mouse's memory is packed first

// One entry of a drop-down list: its text and the value it stands for.
struct ListEntry {
  std::u16string text;
  std::uint32_t value = 0;
};

enum class ActionKind {
  kShowControl,     // id
  kHideControl,     // id
  kEnableControl,   // id
  kDisableControl,  // id
  kCheckControl,    // id, on
  kFillList,        // id, entries, selected, on = enabled
  kSetSliderRange,  // value: both level sliders span 1 .. value
  kSetSliders,      // x, y: the level sliders show these steps, telling nobody
  kRepaintWindow,   // the whole client area, without erasing
  kRepaintRect,     // rect
  kRepaintControl,  // id
  // The next paint must leave the visible skinned controls alone.
  kSetControlsChanged,
  kStartTimer,  // id, value = period in ms; a running timer with that id is restarted
  kStopTimer,   // id
  kMouseRequest,  // request: device work for the mouse service's worker
  // A Yes/No message box whose default button is No: `text` (when it is
  // empty: message `messageSlot`) and caption `captionSlot` of the text
  // table's messages. The answer comes back as a kQuestionAnswered event
  // with `id`, what the question is about.
  kAskYesNo,
  // A file dialog, `fileDialog` kind, for `id` (backup or macro file); the
  // choice comes back as a kFileChosen event with that id.
  kOpenFileDialog,
  kStartWorker,     // operation, text = the chosen file (empty for a reset)
  kSetWaitCursor,
  kRestoreClassCursor,
  // A message box with `text` (when it is empty: message `messageSlot`)
  // and caption `captionSlot` of the messages.
  kShowMessage,
  kSetAlpha,       // value: the window's own opacity
  kHideAndCenter,  // hide, make fully opaque, centre on the screen
  kShowWindow,     // show normally
  kBringToFront,   // foreground and top of the z-order
  kHideWindow,     // hide to the tray; the program goes on
  kMinimizeWindow,
  kEndWindow,      // the program ends
  kShowTrayMenu,  // entries: the software profiles, `selected` the current one
  kSetTrayTip,    // text
  kShowBalloon,         // text
  kReleaseTiltMutex,
  kSetPointerKind,  // value: 0 the window's own, 1..5 the drag pointers
  kCapturePointer,  // on: the pointer's messages come here until released
  // Edit box `id` opens over `rect` with `text` selected, at most `value`
  // characters, and takes the focus.
  kOpenEditBox,
  kCloseEditBox,    // id
  // Edit box `id` is left by a click beside it: its text comes back as a
  // kEditLeft event, as when the focus leaves it.
  kFinishEditBox,
  // The recorder runs (on) or rests: the Record button's caption and pulse,
  // and the desktop's keys without the system's hot keys while it runs.
  kSetRecording,
};

struct WindowAction {
  explicit WindowAction(ActionKind actionKind) : kind(actionKind) {}

  ActionKind kind;
  int id = 0;  // control id or timer id
  int value = 0;
  int x = 0;
  int y = 0;
  bool on = false;
  RectI rect;
  int messageSlot = 0;
  int captionSlot = 0;
  FileDialogKind fileDialog = FileDialogKind::kSave;
  DeviceOperation operation = DeviceOperation::kBackup;
  std::u16string text;
  std::vector<ListEntry> entries;
  int selected = 0;
  MouseRequest request;
};

// The actions of one event, in the order the applier carries them out.
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
    action.value = periodMs;
    items.push_back(action);
  }
  void Request(const MouseRequest& request) {
    WindowAction action{ActionKind::kMouseRequest};
    action.request = request;
    items.push_back(action);
  }
  void Push(WindowAction action) { items.push_back(std::move(action)); }
  void Append(const WindowActions& more) {
    items.insert(items.end(), more.items.begin(), more.items.end());
    handled = handled || more.handled;
  }

  // The event is taken: the system's own handling of it is skipped.
  void MarkHandled() { handled = true; }

  const std::vector<WindowAction>& Items() const { return items; }
  bool Empty() const { return items.empty(); }
  bool Handled() const { return handled; }

 private:
  std::vector<WindowAction> items;
  bool handled = false;
};
