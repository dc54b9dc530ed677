#include "macro/MacroCommand.h"

#include <algorithm>
#include <cstring>

int DecodeCommand(const std::uint8_t* bytes, MacroCommand& command) {
  std::memcpy(command.code, bytes, sizeof command.code);
  const std::uint8_t op = bytes[0];
  int result = kDecodedCommand;
  std::uint32_t length = 0;
  switch (op) {
    case 0x00:
    case 0x01:
      length = 1;
      break;
    case kModeOnce:
    case kModeLoop:
    case kModeFirekey:
      length = 1;
      result = kDecodedMode;
      break;
    case kOpJump:
    case kOpLoopJump:
    case kOpSetAcc:
    case kOpConsumer:
    case kOpWaitLong:
      length = 3;
      break;
    case 0x80:
      length = 5;
      break;
    case 0x81:
    case 0x82:
    case kOpKeyDown:
    case kOpKeyUp:
    case kOpWaitShort:
      length = 2;
      break;
    default:
      if ((op >= 0x20 && op <= 0x7F) || (op >= 0xC0 && op <= 0xCF)) {
        length = 1;
      } else {
        result = kDecodedInvalid;
      }
      break;
  }
  command.length = length;
  return result;
}

void Renumber(MacroCommands& commands, std::size_t from) {
  if (commands.empty() || from >= commands.size()) return;
  if (from == 0) commands[0].address = 0;
  for (std::size_t i = from + 1; i < commands.size(); ++i) {
    commands[i].address = commands[i - 1].address + commands[i - 1].length;
  }
}

std::uint32_t MacroSize(const MacroCommands& commands) {
  if (commands.empty()) return 0;
  return commands.back().address + commands.back().length;
}

std::vector<std::uint8_t> EncodeMacro(const MacroCommands& commands) {
  std::vector<std::uint8_t> bytes;
  std::size_t total = 0;
  for (const auto& command : commands) total += std::min<std::uint32_t>(command.length, sizeof command.code);
  bytes.reserve(total);
  for (const auto& command : commands) {
    const std::size_t length = std::min<std::uint32_t>(command.length, sizeof command.code);
    bytes.insert(bytes.end(), command.code, command.code + length);
  }
  return bytes;
}

MacroCommands NewMacro() {
  MacroCommand mode;
  mode.length = 1;
  mode.code[0] = kModeOnce;
  return MacroCommands{mode};
}

MacroCommand MakeWait(std::uint32_t milliseconds) {
  const std::uint32_t value = std::min<std::uint32_t>(milliseconds, 0xFFFF);
  MacroCommand wait;
  wait.code[0] = value <= 0xFF ? kOpWaitShort : kOpWaitLong;
  wait.code[1] = static_cast<std::uint8_t>(value);
  wait.code[2] = static_cast<std::uint8_t>(value >> 8);
  wait.length = value <= 0xFF ? 2 : 3;
  return wait;
}

int WheelCount(std::uint8_t opcode) {
  const int low = opcode & 0x1F;
  return (low & 0x10) ? low - 32 : low;
}

std::size_t ParseMacroBytes(MacroCommands& editor, const std::uint8_t* bytes, std::size_t count) {
  if (editor.size() == 1) editor.clear();
  std::size_t taken = 0;
  std::size_t offset = 0;
  while (offset < count) {
    // Near the end fewer than five bytes remain: decode from a padded copy.
    std::uint8_t window[5] = {};
    std::memcpy(window, bytes + offset, std::min<std::size_t>(sizeof window, count - offset));
    MacroCommand command;
    const int result = DecodeCommand(window, command);
    if (result == kDecodedInvalid || IsEndOpcode(window[0])) break;
    if (command.length > count - offset) break;  // cut short: its operands are not there
    offset += command.length;
    if (result == kDecodedMode && !editor.empty()) continue;
    if (editor.empty() && result != kDecodedMode) editor = NewMacro();
    command.address = editor.empty() ? 0 : MacroSize(editor);
    editor.push_back(command);
    ++taken;
  }
  if (editor.empty()) editor = NewMacro();
  return taken;
}
