#include "macro/MacroEditor.h"

#include <algorithm>

#include "macro/VirtualKeys.h"

namespace {

// The palette's templates, items 1 to 6.
MacroCommand Template(int item) {
  static const MacroCommand kTemplates[MacroEditor::kTemplateCount] = {
      {0, 2, {kOpWaitShort, 1}},
      {0, 2, {kOpKeyDown, 4}},
      {0, 2, {kOpKeyUp, 4}},
      {0, 1, {kOpButtonsDown | kMaskLeft}},
      {0, 1, {kOpButtonsUp | kMaskLeft}},
      {0, 1, {kOpWheel | 1}},
  };
  return kTemplates[item - 1];
}

// The leading decimal digits, saturated at 65535; anything else counts as 0.
std::uint32_t TypedNumber(const std::u16string& typed) {
  std::uint32_t value = 0;
  for (const char16_t c : typed) {
    if (c < u'0' || c > u'9') break;
    value = std::min<std::uint32_t>(value * 10 + static_cast<std::uint32_t>(c - u'0'), 0xFFFF);
  }
  return value;
}

}  // namespace

MacroEditor::MacroEditor() : commands_(::NewMacro()) {}

void MacroEditor::NewMacro() {
  commands_ = ::NewMacro();
  selected_ = 0;
  firstVisible_ = 0;
  captureRow_ = -1;
}

void MacroEditor::Select(int row) {
  selected_ = std::clamp(row, 0, LastRow());
  if (selected_ < firstVisible_) firstVisible_ = selected_;
  if (selected_ >= firstVisible_ + kVisibleRows) firstVisible_ = selected_ - kVisibleRows + 1;
  ClampView();
}

// The view never starts past the point where the last command fills the last row.
void MacroEditor::ClampView() {
  firstVisible_ = std::clamp(firstVisible_, 0, std::max(0, LastRow() + 1 - kVisibleRows));
}

void MacroEditor::CycleMode() {
  std::uint8_t& mode = commands_.front().code[0];
  mode = mode == kModeOnce ? kModeLoop : mode == kModeLoop ? kModeFirekey : kModeOnce;
}

int MacroEditor::InsertTemplate(int item, int dropRow) {
  if (item < 1 || item > kTemplateCount) return -1;
  const int after = dropRow >= 0 && dropRow <= LastRow() ? dropRow : selected_;
  const int row = after + 1;
  commands_.insert(commands_.begin() + row, Template(item));
  Renumber(commands_, static_cast<std::size_t>(after));
  if (captureRow_ >= row) ++captureRow_;
  Select(row);
  if (CaptureFor(commands_[static_cast<std::size_t>(row)]) != Capture::kNone) captureRow_ = row;
  return row;
}

MacroEditor::EditStart MacroEditor::EditGesture(int row) {
  EditStart start;
  if (row < 0 || row > LastRow()) return start;
  Select(row);
  if (row == 0) {
    CycleMode();
    start.action = EditStart::Action::kModeCycled;
    return start;
  }
  const MacroCommand& command = commands_[static_cast<std::size_t>(row)];
  if (command.code[0] == kOpWaitShort || command.code[0] == kOpWaitLong) {
    start.action = EditStart::Action::kWaitBox;
    start.waitValue = command.code[1] | (command.code[0] == kOpWaitLong ? command.code[2] << 8 : 0);
    return start;
  }
  start.capture = CaptureFor(command);
  if (start.capture != Capture::kNone) {
    start.action = EditStart::Action::kCapture;
    captureRow_ = row;
  }
  return start;
}

bool MacroEditor::CommitWait(int row, const std::u16string& typed, bool byEnter) {
  if (row < 1 || row > LastRow()) return false;
  MacroCommand& command = commands_[static_cast<std::size_t>(row)];
  if (command.code[0] != kOpWaitShort && command.code[0] != kOpWaitLong) return false;
  const std::uint32_t value = std::max<std::uint32_t>(TypedNumber(typed), byEnter ? 0 : 1);
  const std::uint32_t address = command.address;
  command = MakeWait(value);
  command.address = address;
  Renumber(commands_, static_cast<std::size_t>(row));
  return true;
}

void MacroEditor::ApplyCapture(const MacroCommand& changed) {
  if (captureRow_ < 1 || captureRow_ > LastRow()) return;
  MacroCommand& command = commands_[static_cast<std::size_t>(captureRow_)];
  const std::uint32_t address = command.address;
  command = changed;
  command.address = address;
  Renumber(commands_, static_cast<std::size_t>(captureRow_));
  captureRow_ = -1;
}

bool MacroEditor::DeleteCommand(int row) {
  if (row < 1 || row > LastRow()) return false;
  commands_.erase(commands_.begin() + row);
  Renumber(commands_, static_cast<std::size_t>(row - 1));
  if (captureRow_ == row) {
    captureRow_ = -1;
  } else if (captureRow_ > row) {
    --captureRow_;
  }
  Select(std::min(row, LastRow()));
  return true;
}

void MacroEditor::Load(const MacroCommands& macro) {
  if (macro.empty()) return;
  if (commands_.size() == 1) {
    commands_ = macro;
    Renumber(commands_);
    Select(LastRow());
    return;
  }
  if (macro.size() == 1) return;
  for (auto it = macro.begin() + 1; it != macro.end(); ++it) {
    MacroCommand command = *it;
    command.address = Size();
    commands_.push_back(command);
  }
  Select(LastRow());
}

void MacroEditor::Append(const MacroCommand& command) {
  MacroCommand appended = command;
  appended.address = Size();
  commands_.push_back(appended);
  Select(LastRow());
}

bool MacroEditor::OnKey(int virtualKey) {
  switch (virtualKey) {
    case kKeyUp:
      Select(selected_ - 1);
      return true;
    case kKeyDown:
      Select(selected_ + 1);
      return true;
    case kKeyPageUp:
      Select(selected_ - kVisibleRows);
      return true;
    case kKeyPageDown:
      Select(selected_ + kVisibleRows);
      return true;
    case kKeyHome:
      Select(0);
      return true;
    case kKeyEnd:
      Select(LastRow());
      return true;
    case kKeyDelete:
      return DeleteCommand(selected_);
    default:
      return false;
  }
}

void MacroEditor::Wheel(int wheelDelta) {
  if (wheelDelta == 0) return;
  firstVisible_ += wheelDelta > 0 ? -1 : 1;
  ClampView();
}
