#pragma once
// The byte encoding of macros: one mode byte, then commands packed without
// padding. The editor, the library, macro files and the player all carry a
// macro as a list of `MacroCommand` records whose encoded bytes follow each
// other: each record's address is the previous address plus its length.
#include <cstddef>
#include <cstdint>
#include <vector>

struct MacroCommand {
  std::uint32_t address = 0;  // byte offset in the macro; the mode byte is at 0
  std::uint32_t length = 0;   // encoded length: 1, 2, 3 or 5
  std::uint8_t code[5] = {};  // opcode, then operands; bytes past `length` are ignored
};

using MacroCommands = std::vector<MacroCommand>;

// Mode opcodes (the first byte of every macro).
constexpr std::uint8_t kModeOnce = 0x04;
constexpr std::uint8_t kModeLoop = 0x05;
constexpr std::uint8_t kModeFirekey = 0x06;

constexpr std::uint8_t kOpJump = 0x08;
constexpr std::uint8_t kOpLoopJump = 0x10;
constexpr std::uint8_t kOpSetAcc = 0x18;
constexpr std::uint8_t kOpKeyDown = 0x83;
constexpr std::uint8_t kOpKeyUp = 0x84;
constexpr std::uint8_t kOpConsumer = 0x85;
constexpr std::uint8_t kOpWaitShort = 0x88;
constexpr std::uint8_t kOpWaitLong = 0x89;
constexpr std::uint8_t kOpButtonsDown = 0x20;  // 0x20..0x3F, mask in the low 5 bits
constexpr std::uint8_t kOpButtonsUp = 0x40;    // 0x40..0x5F
constexpr std::uint8_t kOpWheel = 0x60;        // 0x60..0x7F, signed count in the low 5 bits

// Mouse-button mask bits of the press and release commands. The fourth button
// is 0x08 and the fifth 0x10, as the mouse reports its buttons; the recorder
// and the step texts both use these names.
constexpr std::uint8_t kMaskLeft = 0x01;
constexpr std::uint8_t kMaskRight = 0x02;
constexpr std::uint8_t kMaskMiddle = 0x04;
constexpr std::uint8_t kMaskButton4 = 0x08;
constexpr std::uint8_t kMaskButton5 = 0x10;

// Results of DecodeCommand.
constexpr int kDecodedCommand = 0;
constexpr int kDecodedMode = 2;
constexpr int kDecodedInvalid = -1;

// Decodes the command at `bytes`, which must point to at least five readable
// bytes: copies them into `code` and sets `length` (0 for an invalid opcode).
// Returns kDecodedMode for 0x04..0x06, kDecodedCommand for any other valid
// opcode (the end opcodes 0x00 and 0x01 included) and kDecodedInvalid.
int DecodeCommand(const std::uint8_t* bytes, MacroCommand& command);

inline bool IsEndOpcode(std::uint8_t opcode) { return opcode <= 0x01; }

// Sets the address of every record after `from` to the running sum of the
// lengths before it; from 0 the head itself is put at address 0.
void Renumber(MacroCommands& commands, std::size_t from = 0);

// The size in bytes of the encoded macro.
std::uint32_t MacroSize(const MacroCommands& commands);

// Concatenates the first `length` code bytes of every record; no end byte.
std::vector<std::uint8_t> EncodeMacro(const MacroCommands& commands);

// A fresh macro: the single mode command 0x04 at address 0.
MacroCommands NewMacro();

// A wait of `milliseconds` (clamped to 65535): 0x88 with one operand byte up to
// 255 ms, else 0x89 with a 16-bit operand.
MacroCommand MakeWait(std::uint32_t milliseconds);

// The signed count (-16..15) of a wheel opcode.
int WheelCount(std::uint8_t opcode);

// Turns a byte string into the editor's list. A list that holds exactly one
// command (a fresh macro) is replaced; a longer one gets the new commands
// appended, the incoming mode byte skipped. The parse stops at an end opcode,
// an invalid opcode, or a command cut short by the end of the bytes. When the
// list would be left empty, or would start with something other than a mode
// command, a mode command 0x04 is put first. Returns the number of records
// taken from `bytes`.
std::size_t ParseMacroBytes(MacroCommands& editor, const std::uint8_t* bytes, std::size_t count);
