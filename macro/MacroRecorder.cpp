#include "macro/MacroRecorder.h"

#include <algorithm>

#include "macro/ConsumerKeys.h"

namespace {

constexpr std::uint16_t kKeyPause = 0x13;
constexpr std::uint16_t kKeyNone = 0xFF;
constexpr std::uint16_t kPauseTailMakeCode = 0x45;  // the second half of the Pause key's sequence
constexpr std::uint32_t kPauseScanCode = 0xC5;
constexpr std::uint32_t kExtendedScanCode = 0xE000;
constexpr int kWheelUnit = 120;
constexpr int kWheelMost = 15;
constexpr int kWheelLeast = -16;
constexpr std::int64_t kLongestWait = 0xFFFF;

MacroCommand Simple(std::uint8_t opcode) {
  MacroCommand command;
  command.length = 1;
  command.code[0] = opcode;
  return command;
}

MacroCommand Key(std::uint8_t opcode, std::uint8_t usage) {
  MacroCommand command;
  command.length = 2;
  command.code[0] = opcode;
  command.code[1] = usage;
  return command;
}

MacroCommand Consumer(std::uint16_t usage) {
  MacroCommand command;
  command.length = 3;
  command.code[0] = kOpConsumer;
  command.code[1] = static_cast<std::uint8_t>(usage);
  command.code[2] = static_cast<std::uint8_t>(usage >> 8);
  return command;
}

std::uint8_t WheelOpcode(int notches) {
  return static_cast<std::uint8_t>(kOpWheel | (static_cast<unsigned>(notches) & 0x1F));
}

bool IsButtonCommand(std::uint8_t opcode) { return opcode >= kOpButtonsDown && opcode < kOpWheel; }
bool IsWheelCommand(std::uint8_t opcode) { return (opcode & 0xE0) == kOpWheel; }

}  // namespace

Capture CaptureFor(const MacroCommand& command) {
  const std::uint8_t opcode = command.code[0];
  if (opcode == kOpKeyDown || opcode == kOpKeyUp || opcode == kOpConsumer) return Capture::kKey;
  if (IsButtonCommand(opcode)) return Capture::kButton;
  if (IsWheelCommand(opcode)) return Capture::kWheel;
  return Capture::kNone;
}

void MacroRecorder::Start(bool recordIntervals) {
  state_ = State::kRecording;
  recordIntervals_ = recordIntervals;
  hasLastEvent_ = false;
  wheelRest_ = 0;
  keyDown_.fill(false);
}

void MacroRecorder::Stop() { state_ = State::kIdle; }

void MacroRecorder::StartCapture(const MacroCommand& target) {
  state_ = State::kCapturing;
  target_ = target;
  result_ = CaptureResult{};
  wheelRest_ = 0;
}

CaptureResult MacroRecorder::TakeCapture() {
  const CaptureResult taken = result_;
  result_ = CaptureResult{};
  return taken;
}

void MacroRecorder::EndCapture(bool changed) {
  state_ = State::kIdle;
  result_.done = true;
  result_.changed = changed;
  result_.command = target_;
}

// A pause longer than one wait can hold becomes several waits that add up to it.
void MacroRecorder::AddWaits(std::int64_t nowMs, std::vector<MacroCommand>& out) {
  if (recordIntervals_ && hasLastEvent_) {
    std::int64_t pause = nowMs - lastEventMs_;
    for (; pause > kLongestWait; pause -= kLongestWait) out.push_back(MakeWait(kLongestWait));
    if (pause > 0) out.push_back(MakeWait(static_cast<std::uint32_t>(pause)));
  }
  hasLastEvent_ = true;
  lastEventMs_ = nowMs;
}

// Whole notches of the turns so far; fine-grained wheels send parts of a notch,
// which add up until they make one. A turn the other way starts afresh.
int MacroRecorder::TakeNotches(int wheelDelta) {
  if ((wheelDelta < 0) != (wheelRest_ < 0)) wheelRest_ = 0;
  wheelRest_ += wheelDelta;
  const int notches = wheelRest_ / kWheelUnit;
  wheelRest_ -= notches * kWheelUnit;
  return notches;
}

std::vector<MacroCommand> MacroRecorder::OnKey(const RecordedKey& key, std::int64_t nowMs,
                                                const ScanCodeTable& table) {
  std::vector<MacroCommand> out;
  if (state_ == State::kIdle) return out;
  if (key.virtualKey == kKeyNone && key.makeCode == kPauseTailMakeCode) return out;
  std::uint32_t scanCode = key.makeCode;
  if (key.e0 || key.e1) scanCode += kExtendedScanCode;
  if (key.virtualKey == kKeyPause) scanCode = kPauseScanCode;
  const std::uint8_t usage = table.UsageFromScanCode(scanCode);

  if (state_ == State::kCapturing) {
    CaptureKey(key, usage);
    return out;
  }
  if (usage != 0) {
    if (key.down && keyDown_[usage]) return out;  // auto-repeat
    keyDown_[usage] = key.down;
    AddWaits(nowMs, out);
    out.push_back(Key(key.down ? kOpKeyDown : kOpKeyUp, usage));
  } else if (key.makeCode == 0) {
    const std::uint16_t consumer = ConsumerFromKeyCode(key.virtualKey);
    if (consumer == 0 || key.down) return out;
    AddWaits(nowMs, out);
    out.push_back(Consumer(consumer));
    out.push_back(Consumer(0));
  }
  return out;
}

void MacroRecorder::CaptureKey(const RecordedKey& key, std::uint8_t usage) {
  const std::uint8_t opcode = target_.code[0];
  if (usage != 0) {
    if (opcode == kOpKeyDown || opcode == kOpKeyUp) {
      target_.code[1] = usage;
      EndCapture(true);
    } else if (opcode == kOpConsumer && usage == kUsageEscape) {
      EndCapture(false);
    }
    return;
  }
  const std::uint16_t consumer = key.makeCode == 0 ? ConsumerFromKeyCode(key.virtualKey) : 0;
  if (consumer != 0 && opcode == kOpConsumer) {
    target_.code[1] = static_cast<std::uint8_t>(consumer);
    target_.code[2] = static_cast<std::uint8_t>(consumer >> 8);
    EndCapture(true);
  }
}

std::vector<MacroCommand> MacroRecorder::OnMouse(const RecordedMouse& mouse, std::int64_t nowMs) {
  std::vector<MacroCommand> out;
  if (state_ == State::kIdle) return out;
  if (state_ == State::kCapturing) {
    CaptureMouse(mouse);
    return out;
  }
  // The click on Record that ends the recording is no part of the macro.
  const std::uint8_t ignored = mouse.overRecordButton ? kMaskLeft : 0;
  const std::uint8_t pressed = mouse.pressed & 0x1F & ~ignored;
  const std::uint8_t released = mouse.released & 0x1F & ~ignored;
  int notches = mouse.wheelDelta != 0 ? TakeNotches(mouse.wheelDelta) : 0;
  if (pressed == 0 && released == 0 && notches == 0) return out;

  AddWaits(nowMs, out);
  if (pressed != 0) out.push_back(Simple(kOpButtonsDown | pressed));
  if (released != 0) out.push_back(Simple(kOpButtonsUp | released));
  // More notches than one command holds are spread over several.
  for (; notches > kWheelMost; notches -= kWheelMost) out.push_back(Simple(WheelOpcode(kWheelMost)));
  for (; notches < kWheelLeast; notches -= kWheelLeast) out.push_back(Simple(WheelOpcode(kWheelLeast)));
  if (notches != 0) out.push_back(Simple(WheelOpcode(notches)));
  return out;
}

void MacroRecorder::CaptureMouse(const RecordedMouse& mouse) {
  const std::uint8_t opcode = target_.code[0];
  if (IsWheelCommand(opcode) && mouse.wheelDelta != 0) {
    const int notches = TakeNotches(mouse.wheelDelta);
    if (notches == 0) return;
    target_.code[0] = WheelOpcode(std::clamp(notches, kWheelLeast, kWheelMost));
    EndCapture(true);
  } else if (IsButtonCommand(opcode) && (mouse.pressed & 0x1F) != 0) {
    target_.code[0] = static_cast<std::uint8_t>((opcode & 0xE0) | (mouse.pressed & 0x1F));
    EndCapture(true);
  }
}
