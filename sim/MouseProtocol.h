#pragma once
// The mouse's own copy of the wire constants. The firmware is built apart
// from the host, so nothing here comes from the host's headers: a constant
// that is wrong on one side shows as a failed exchange or a protocol error
// instead of agreeing with itself.
#include <array>
#include <cstddef>
#include <cstdint>

namespace sim {

inline constexpr std::size_t kReportLength = 9;
using Report = std::array<std::uint8_t, kReportLength>;

// Reply byte 1: two flags over six bits of data.
inline constexpr std::uint8_t kBusyFlag = 0x80;
inline constexpr std::uint8_t kReadyFlag = 0x40;
inline constexpr std::uint8_t kDataBits = 0x3F;

// Request byte 1.
inline constexpr std::uint8_t kControlGroup = 0x01;
inline constexpr std::uint8_t kMemoryGroup = 0x02;
inline constexpr std::uint8_t kRegisterGroup = 0x08;
inline constexpr std::uint8_t kProbeGroup = 0x09;
inline constexpr std::uint8_t kLiveGroup = 0x0D;

// Request byte 8 of the control and memory groups, and reply byte 3 of an
// acknowledged live-input request.
inline constexpr std::uint8_t kTrailer = 0x12;
inline constexpr std::uint8_t kLiveAck = 0x12;

// The identification probe: group 9, sub-command 0, parameter 0x1A.
inline constexpr std::uint8_t kProbeParameter = 0x1A;

// Control group sub-commands.
inline constexpr std::uint8_t kCommitSettings = 0x02;
inline constexpr std::uint8_t kReadSteps = 0x03;
inline constexpr std::uint8_t kReadRatio = 0x04;
inline constexpr std::uint8_t kReadCurrentLevel = 0x07;
inline constexpr std::uint8_t kReadNameByte = 0x09;
inline constexpr std::uint8_t kSetStep = 0x83;
inline constexpr std::uint8_t kSetRatio = 0x84;
inline constexpr std::uint8_t kSetButtonFunction = 0x85;
inline constexpr std::uint8_t kSetProfileValues = 0x86;
inline constexpr std::uint8_t kSelectLevel = 0x87;
inline constexpr std::uint8_t kWriteNameByte = 0x89;

// Memory group sub-commands.
inline constexpr std::uint8_t kRead7 = 0x00;
inline constexpr std::uint8_t kWriteOne = 0x01;
inline constexpr std::uint8_t kWritePair = 0x02;
inline constexpr std::uint8_t kCommitStaged = 0x04;
inline constexpr std::uint8_t kCommitPage = 0x0A;
// Staging of page bytes 0-5, 6-11, 12-17, 18-23, 24-29 and 30-31.
inline constexpr std::array<std::uint8_t, 6> kStageChunks = {0x03, 0x05, 0x06, 0x07, 0x08, 0x09};

// Live-input sub-commands.
inline constexpr std::uint8_t kLiveKeyDown = 0x01;
inline constexpr std::uint8_t kLiveKeyUp = 0x02;
inline constexpr std::uint8_t kLiveUsage16 = 0x03;
inline constexpr std::uint8_t kLiveButtons = 0x04;

// String descriptors read as side commands.
inline constexpr int kAssignNumberBase = 30;  // 30 + n, n = 1..19
inline constexpr int kHighestNumber = 19;
inline constexpr int kPrepare = 50;
inline constexpr int kRelease = 51;
inline constexpr int kNibbleBase = 60;  // 60 + d, d = 0..15
inline constexpr int kLowNibbleNext = 76;
inline constexpr int kHighNibbleNext = 77;
inline constexpr int kSetParameterBase = 90;  // 90 + v, v = 0..8
inline constexpr int kHighestParameter = 8;
inline constexpr int kSetMaskA = 108;
inline constexpr int kSetMaskB = 109;
inline constexpr int kIdentify = 250;
inline constexpr int kIdentity = 251;

// The identification string: the maker's name, four information bytes at
// 14-17, the allowed-step mask at 18-24, a free text from 28.
inline constexpr std::size_t kDescriptorSize = 512;
inline constexpr std::size_t kInfoBytesAt = 14;
inline constexpr std::size_t kStepMaskAt = 18;
inline constexpr std::size_t kInfoTextAt = 28;
inline constexpr int kHighestStep = 56;

inline constexpr std::size_t kMemorySize = 8192;
inline constexpr std::size_t kPageSize = 32;

// Notification reports: byte 1 names the kind.
inline constexpr std::size_t kNotificationLength = 8;
inline constexpr std::uint8_t kInputNotification = 0x0A;
inline constexpr std::uint8_t kIdleNotification = 0x0B;
inline constexpr std::uint8_t kLevelNotification = 0x0D;

// How long the memory takes to program what a request wrote, in
// microseconds; a reply read sooner finds the mouse busy.
inline constexpr std::int64_t kProgramSmallUs = 1000;  // one or two bytes
inline constexpr std::int64_t kProgramPageUs = 5000;
// A commit of n staged bytes: 1 ms up to 12 bytes, then 3, 6, 9 and 10 ms
// above 12, 18, 24 and 30.
inline constexpr std::int64_t ProgramStagedUs(int n) {
  return n > 30 ? 10000 : n > 24 ? 9000 : n > 18 ? 6000 : n > 12 ? 3000 : 1000;
}

}  // namespace sim

// The macro bytes the mouse plays by itself: a mode byte, then commands.
// Jump addresses count from the mode byte.
inline constexpr std::uint8_t kMacroOnce = 0x04;
inline constexpr std::uint8_t kMacroLoop = 0x05;
inline constexpr std::uint8_t kMacroFirekey = 0x06;
inline constexpr std::uint8_t kMacroEnd = 0x00;
inline constexpr std::uint8_t kMacroEndToo = 0x01;
inline constexpr std::uint8_t kMacroJump = 0x08;        // u16 address
inline constexpr std::uint8_t kMacroCountJump = 0x10;   // u16 address: jump while the counter, less one, is not 0
inline constexpr std::uint8_t kMacroSetCounter = 0x18;  // u16 value
inline constexpr std::uint8_t kMacroCarried4 = 0x80;    // four operand bytes, no effect
inline constexpr std::uint8_t kMacroCarried1 = 0x81;    // 0x81 and 0x82: one operand byte, no effect
inline constexpr std::uint8_t kMacroCarried1Too = 0x82;
inline constexpr std::uint8_t kMacroKeyDown = 0x83;     // u8 keyboard usage
inline constexpr std::uint8_t kMacroKeyUp = 0x84;
inline constexpr std::uint8_t kMacroUsage = 0x85;       // u16 consumer usage
inline constexpr std::uint8_t kMacroWait = 0x88;        // u8 milliseconds
inline constexpr std::uint8_t kMacroLongWait = 0x89;    // u16 milliseconds
// One-byte commands by their top three bits; the low five carry the operand.
inline constexpr std::uint8_t kMacroPress = 0x20;    // button mask
inline constexpr std::uint8_t kMacroRelease = 0x40;  // button mask
inline constexpr std::uint8_t kMacroWheel = 0x60;    // signed 5-bit count
inline constexpr std::uint8_t kMacroSystem = 0xC0;   // 0xC0 to 0xCF, no effect here

// The button a stored macro is assigned to plays it with this kind; the
// code is the macro's first address in the macro area, which starts after
// the 64 directory entries of 32 bytes.
inline constexpr std::uint8_t kMacroButtonKind = 0x80;
inline constexpr std::size_t kMacroAreaStart = 64 * 32;
inline constexpr std::size_t kMacroAreaBytes = 5888;
