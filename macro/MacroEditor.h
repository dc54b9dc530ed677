#pragma once
// The macro being edited: its command list, never empty and always led by the
// mode command, with the selection and the rows in view of the editor pane.
#include <cstdint>
#include <string>

#include "macro/MacroCommand.h"
#include "macro/MacroRecorder.h"

class MacroEditor {
 public:
  static constexpr int kVisibleRows = 8;
  static constexpr int kTemplateCount = 6;

  // What the edit gesture on a row asks of the window.
  struct EditStart {
    enum class Action { kNothing, kModeCycled, kWaitBox, kCapture };
    Action action = Action::kNothing;
    int waitValue = 0;                 // kWaitBox: the value the box opens with
    Capture capture = Capture::kNone;  // kCapture: what to wait for (and which prompt)
  };

  MacroEditor();

  const MacroCommands& Commands() const { return commands_; }
  int Selected() const { return selected_; }
  int FirstVisible() const { return firstVisible_; }
  std::uint32_t Size() const { return MacroSize(commands_); }
  // The command a capture will change, -1 when none waits.
  int CaptureRow() const { return captureRow_; }

  void NewMacro();
  // Selects `row` (kept within the list) and scrolls it into view.
  void Select(int row);
  // Once, loop, firekey, once again.
  void CycleMode();

  // Inserts palette item 1..6 after `dropRow`, or after the selected command
  // when the drop was on no row (dropRow < 0 or past the end), and selects it.
  // Items that need a key, button or wheel make it the capture row.
  // Returns its index, or -1 for an unknown item.
  int InsertTemplate(int item, int dropRow);

  EditStart EditGesture(int row);
  // Stores the number typed into a wait's box: 0..65535 after Enter, 1..65535
  // when the box lost the focus; text that is no number counts as 0.
  bool CommitWait(int row, const std::u16string& typed, bool byEnter);
  // The capture's end: the capture row takes `changed`.
  void ApplyCapture(const MacroCommand& changed);

  // Refuses the mode command; selects the next command, or the previous one
  // when the last was removed.
  bool DeleteCommand(int row);
  // A fresh editor becomes a copy of `macro`; a longer one gets its commands
  // after the mode command appended.
  void Load(const MacroCommands& macro);
  // One recorded command at the end, selected.
  void Append(const MacroCommand& command);

  // Arrows, Page Up/Down, Home, End and Delete (virtual-key codes); true when
  // the key did something.
  bool OnKey(int virtualKey);
  // One row per wheel message, up for a turn away from the user.
  void Wheel(int wheelDelta);

 private:
  int LastRow() const { return static_cast<int>(commands_.size()) - 1; }
  void ClampView();

  MacroCommands commands_;
  int selected_ = 0;
  int firstVisible_ = 0;
  int captureRow_ = -1;
};
