#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "macro/MacroRecorder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A, B, Escape, Pause, Right arrow (extended) and Num Lock, which shares its make code with Pause.
const ScanCodeTable kTable = ScanCodeTable::Parse(u"4 30\n5 48\n41 1\n72 197\n79 57421\n83 69\n");

RecordedKey Key(std::uint16_t makeCode, bool down, std::uint16_t virtualKey = 0x41) {
  RecordedKey key;
  key.makeCode = makeCode;
  key.virtualKey = virtualKey;
  key.down = down;
  return key;
}

RecordedMouse Mouse(std::uint8_t pressed, std::uint8_t released = 0, int wheelDelta = 0) {
  RecordedMouse mouse;
  mouse.pressed = pressed;
  mouse.released = released;
  mouse.wheelDelta = wheelDelta;
  return mouse;
}

Bytes Encoded(const std::vector<MacroCommand>& commands) { return EncodeMacro(commands); }

MacroCommand Target(const Bytes& bytes) {
  MacroCommand command;
  std::uint8_t padded[5] = {};
  std::copy(bytes.begin(), bytes.end(), padded);
  DecodeCommand(padded, command);
  return command;
}

constexpr std::uint16_t kMakeA = 30;
constexpr std::uint16_t kMakeB = 48;
constexpr std::uint16_t kMakeEscape = 1;
constexpr std::uint16_t kKeyVolumeUp = 0xAF;

}  // namespace

TEST(MacroRecorder, PausesBetweenEventsBecomeWaitsButNoneComesFirst) {
  MacroRecorder recorder;
  recorder.Start(true);
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeA, true), 5000, kTable)), (Bytes{0x83, 0x04}));
  EXPECT_EQ(Encoded(recorder.OnMouse(Mouse(0), 5100)), Bytes{});  // nothing happened: the pause goes on
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeA, false), 5300, kTable)), (Bytes{0x89, 0x2C, 0x01, 0x84, 0x04}));
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeB, true), 5300, kTable)), (Bytes{0x83, 0x05}));
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeB, false), 75300, kTable)),
            (Bytes{0x89, 0xFF, 0xFF, 0x89, 0x71, 0x11, 0x84, 0x05}));

  recorder.Start(false);
  recorder.OnKey(Key(kMakeA, true), 0, kTable);
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeA, false), 900, kTable)), (Bytes{0x84, 0x04}));
  recorder.Stop();
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeA, true), 1000, kTable)), Bytes{});
}

TEST(MacroRecorder, AHeldKeyRecordsOneDownAndOneUp) {
  MacroRecorder recorder;
  recorder.Start(false);
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeA, true), 0, kTable)), (Bytes{0x83, 0x04}));
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeA, true), 30, kTable)), Bytes{});
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeA, false), 60, kTable)), (Bytes{0x84, 0x04}));
  recorder.OnKey(Key(kMakeB, true), 70, kTable);
  recorder.Start(false);  // a new recording forgets keys still held
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeB, true), 80, kTable)), (Bytes{0x83, 0x05}));
}

TEST(MacroRecorder, ExtendedPauseAndMediaKeysFindTheirCodes) {
  MacroRecorder recorder;
  recorder.Start(false);
  RecordedKey right = Key(0x4D, true, 0x27);
  right.e0 = true;
  EXPECT_EQ(Encoded(recorder.OnKey(right, 0, kTable)), (Bytes{0x83, 0x4F}));
  RecordedKey pause = Key(0x1D, true, 0x13);
  pause.e1 = true;
  EXPECT_EQ(Encoded(recorder.OnKey(pause, 0, kTable)), (Bytes{0x83, 0x48}));
  EXPECT_EQ(Encoded(recorder.OnKey(Key(0x45, true, 0xFF), 0, kTable)), Bytes{});
  EXPECT_EQ(Encoded(recorder.OnKey(Key(0, true, kKeyVolumeUp), 0, kTable)), Bytes{});
  EXPECT_EQ(Encoded(recorder.OnKey(Key(0, false, kKeyVolumeUp), 0, kTable)),
            (Bytes{0x85, 0xE9, 0x00, 0x85, 0x00, 0x00}));
}

TEST(MacroRecorder, MouseInputRecordsPressesReleasesAndNotches) {
  MacroRecorder recorder;
  recorder.Start(false);
  EXPECT_EQ(Encoded(recorder.OnMouse(Mouse(0, 0, 120), 0)), (Bytes{0x61}));
  EXPECT_EQ(Encoded(recorder.OnMouse(Mouse(0, 0, -120), 0)), (Bytes{0x7F}));
  EXPECT_EQ(Encoded(recorder.OnMouse(Mouse(0, 0, 17 * 120), 0)), (Bytes{0x6F, 0x62}));
  EXPECT_EQ(Encoded(recorder.OnMouse(Mouse(0, 0, 60), 0)), Bytes{});
  EXPECT_EQ(Encoded(recorder.OnMouse(Mouse(0, 0, 60), 0)), (Bytes{0x61}));
  EXPECT_EQ(Encoded(recorder.OnMouse(Mouse(kMaskLeft | kMaskButton5, kMaskRight), 0)), (Bytes{0x31, 0x42}));

  RecordedMouse onRecord = Mouse(kMaskLeft | kMaskButton4);
  onRecord.overRecordButton = true;
  EXPECT_EQ(Encoded(recorder.OnMouse(onRecord, 0)), (Bytes{0x28}));
  onRecord.pressed = kMaskLeft;
  EXPECT_EQ(Encoded(recorder.OnMouse(onRecord, 0)), Bytes{});
}

TEST(MacroRecorder, AKeyCaptureTakesTheKeyAndAConsumerCaptureEndsOnEscape) {
  MacroRecorder recorder;
  recorder.StartCapture(Target({0x84, 0x04}));
  EXPECT_EQ(Encoded(recorder.OnKey(Key(kMakeB, true), 0, kTable)), Bytes{});
  CaptureResult result = recorder.TakeCapture();
  EXPECT_TRUE(result.done && result.changed);
  EXPECT_EQ(Encoded({result.command}), (Bytes{0x84, 0x05}));
  EXPECT_FALSE(recorder.Capturing());
  EXPECT_FALSE(recorder.TakeCapture().done);

  recorder.StartCapture(Target({0x85, 0xE2, 0x00}));
  recorder.OnKey(Key(kMakeA, true), 0, kTable);
  EXPECT_TRUE(recorder.Capturing());
  recorder.OnKey(Key(kMakeEscape, true), 0, kTable);
  result = recorder.TakeCapture();
  EXPECT_TRUE(result.done);
  EXPECT_FALSE(result.changed);
  EXPECT_EQ(Encoded({result.command}), (Bytes{0x85, 0xE2, 0x00}));

  recorder.StartCapture(Target({0x85, 0xE2, 0x00}));
  recorder.OnKey(Key(0, true, kKeyVolumeUp), 0, kTable);
  EXPECT_EQ(Encoded({recorder.TakeCapture().command}), (Bytes{0x85, 0xE9, 0x00}));
}

TEST(MacroRecorder, AMouseCaptureWaitsForAPressOrATurnThatFitsTheCommand) {
  MacroRecorder recorder;
  recorder.StartCapture(Target({0x41}));
  recorder.OnMouse(Mouse(0, kMaskLeft), 0);
  recorder.OnMouse(Mouse(0, 0, 120), 0);
  EXPECT_TRUE(recorder.Capturing());
  recorder.OnMouse(Mouse(kMaskRight | kMaskMiddle), 0);
  EXPECT_EQ(Encoded({recorder.TakeCapture().command}), (Bytes{0x46}));

  recorder.StartCapture(Target({0x61}));
  recorder.OnMouse(Mouse(kMaskLeft), 0);
  EXPECT_TRUE(recorder.Capturing());
  recorder.OnMouse(Mouse(0, 0, -120), 0);
  EXPECT_EQ(Encoded({recorder.TakeCapture().command}), (Bytes{0x7F}));
}
