#pragma once
// Turns desktop-wide key and mouse input into macro commands while recording,
// and changes one command of the editor while a capture waits for input.
#include <array>
#include <cstdint>
#include <vector>

#include "macro/MacroCommand.h"
#include "macro/ScanCodeTable.h"

// One key-down or key-up message (system keys included) of the keyboard.
struct RecordedKey {
  std::uint16_t makeCode = 0;
  bool e0 = false;
  bool e1 = false;
  std::uint16_t virtualKey = 0;
  bool down = false;
};

// One mouse message: the buttons that went down and up (kMask* bits) and the
// wheel turn in units of 120 per notch.
struct RecordedMouse {
  std::uint8_t pressed = 0;
  std::uint8_t released = 0;
  int wheelDelta = 0;
  bool overRecordButton = false;  // the pointer is over the window's Record button
};

// What a capture waits for; each kind has its own prompt.
enum class Capture { kNone, kKey, kButton, kWheel };

// The capture that changes `command`: keys for key and consumer-key commands,
// buttons for button commands, the wheel for wheel commands.
Capture CaptureFor(const MacroCommand& command);

struct CaptureResult {
  bool done = false;     // the capture ended; the editor takes `command`
  bool changed = false;  // false when it ended without a change (Escape)
  MacroCommand command;
};

class MacroRecorder {
 public:
  // Escape's keyboard usage, which ends a consumer-key capture unchanged.
  static constexpr std::uint8_t kUsageEscape = 41;

  void Start(bool recordIntervals);
  void Stop();
  bool Recording() const { return state_ == State::kRecording; }

  // Ends any recording and waits for the input that changes `target`.
  void StartCapture(const MacroCommand& target);
  bool Capturing() const { return state_ == State::kCapturing; }
  // The capture's end, once; afterwards `done` is false until the next one ends.
  CaptureResult TakeCapture();

  // The commands to append, waits first; empty while idle or capturing.
  std::vector<MacroCommand> OnKey(const RecordedKey& key, std::int64_t nowMs, const ScanCodeTable& table);
  std::vector<MacroCommand> OnMouse(const RecordedMouse& mouse, std::int64_t nowMs);

 private:
  enum class State { kIdle, kRecording, kCapturing };

  void AddWaits(std::int64_t nowMs, std::vector<MacroCommand>& out);
  int TakeNotches(int wheelDelta);
  void CaptureKey(const RecordedKey& key, std::uint8_t usage);
  void CaptureMouse(const RecordedMouse& mouse);
  void EndCapture(bool changed);

  State state_ = State::kIdle;
  bool recordIntervals_ = true;
  bool hasLastEvent_ = false;
  std::int64_t lastEventMs_ = 0;
  int wheelRest_ = 0;  // the part of a turn short of a notch, kept for the next message
  std::array<bool, 256> keyDown_{};
  MacroCommand target_;
  CaptureResult result_;
};
