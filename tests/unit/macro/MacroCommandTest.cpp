#include <gtest/gtest.h>

#include <vector>

#include "macro/MacroCommand.h"

namespace {

MacroCommands Parse(const std::vector<std::uint8_t>& bytes, MacroCommands editor = NewMacro()) {
  ParseMacroBytes(editor, bytes.data(), bytes.size());
  return editor;
}

std::vector<std::uint32_t> Addresses(const MacroCommands& commands) {
  std::vector<std::uint32_t> addresses;
  for (const auto& command : commands) addresses.push_back(command.address);
  return addresses;
}

int Decode(std::uint8_t op, std::uint32_t* length = nullptr) {
  const std::uint8_t bytes[5] = {op, 0, 0, 0, 0};
  MacroCommand command;
  const int result = DecodeCommand(bytes, command);
  if (length) *length = command.length;
  return result;
}

}  // namespace

TEST(DecodeCommand, GivesEveryOpcodeItsLengthAndKind) {
  struct Case {
    std::uint8_t op;
    int result;
    std::uint32_t length;
  } cases[] = {{0x00, 0, 1},  {0x01, 0, 1},  {0x02, -1, 0}, {0x03, -1, 0}, {0x04, 2, 1},  {0x05, 2, 1},
               {0x06, 2, 1},  {0x07, -1, 0}, {0x08, 0, 3},  {0x10, 0, 3},  {0x18, 0, 3},  {0x1F, -1, 0},
               {0x20, 0, 1},  {0x3F, 0, 1},  {0x5F, 0, 1},  {0x7F, 0, 1},  {0x80, 0, 5},  {0x81, 0, 2},
               {0x82, 0, 2},  {0x83, 0, 2},  {0x84, 0, 2},  {0x85, 0, 3},  {0x86, -1, 0}, {0x88, 0, 2},
               {0x89, 0, 3},  {0x8A, -1, 0}, {0xBF, -1, 0}, {0xC0, 0, 1},  {0xCF, 0, 1},  {0xD0, -1, 0},
               {0xFF, -1, 0}};
  for (const auto& c : cases) {
    std::uint32_t length = 99;
    EXPECT_EQ(Decode(c.op, &length), c.result) << int(c.op);
    EXPECT_EQ(length, c.length) << int(c.op);
  }
}

TEST(ParseMacroBytes, KeepsWhatDecodesUpToTheEndByteAnInvalidOpcodeOrACutCommand) {
  const struct Case {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> encoded;
    std::vector<std::uint32_t> addresses;
  } cases[] = {
      {{0x05, 0x83, 0x04, 0x88, 0x32, 0x84, 0x04, 0x00, 0x83, 0x05},
       {0x05, 0x83, 0x04, 0x88, 0x32, 0x84, 0x04},
       {0, 1, 3, 5}},
      {{0x04, 0x21, 0x02, 0x41}, {0x04, 0x21}, {0, 1}},
      {{0x06, 0x22}, {0x06, 0x22}, {0, 1}},                               // a fresh macro takes the mode too
      {{0x83, 0x04, 0x84, 0x04}, {0x04, 0x83, 0x04, 0x84, 0x04}, {0, 1, 3}},  // a mode is put in front
      {{0x04, 0x21, 0x89, 0x10}, {0x04, 0x21}, {0, 1}},
  };
  for (const Case& c : cases) {
    const MacroCommands commands = Parse(c.bytes);
    EXPECT_EQ(EncodeMacro(commands), c.encoded);
    EXPECT_EQ(MacroSize(commands), c.encoded.size());
    EXPECT_EQ(Addresses(commands), c.addresses);
  }
}

TEST(ParseMacroBytes, AppendsToALongerMacroWithoutItsModeByte) {
  MacroCommands editor = Parse({0x04, 0x21, 0x89, 0x00, 0x01});
  ASSERT_EQ(editor.size(), 3u);
  editor = Parse({0x05, 0x05, 0x41, 0x61}, editor);
  EXPECT_EQ(EncodeMacro(editor), (std::vector<std::uint8_t>{0x04, 0x21, 0x89, 0x00, 0x01, 0x41, 0x61}));
  EXPECT_EQ(Addresses(editor), (std::vector<std::uint32_t>{0, 1, 2, 5, 6}));
}

TEST(ParseMacroBytes, StartsANewMacroWhenNothingUsableWasFound) {
  for (const std::vector<std::uint8_t>& bytes :
       {std::vector<std::uint8_t>{0x02}, std::vector<std::uint8_t>{0x00, 0x04}, std::vector<std::uint8_t>{}}) {
    MacroCommands editor = NewMacro();
    editor[0].code[0] = 0x05;
    EXPECT_EQ(EncodeMacro(Parse(bytes, editor)), std::vector<std::uint8_t>{0x04});
  }
}

TEST(MakeWait, UsesTheShortFormUpTo255MillisecondsAndCapsTheLongOne) {
  const struct Case {
    int ms;
    std::vector<std::uint8_t> code;
  } cases[] = {{255, {0x88, 0xFF}}, {256, {0x89, 0x00, 0x01}}, {70000, {0x89, 0xFF, 0xFF}}};
  for (const Case& c : cases) {
    const MacroCommand wait = MakeWait(c.ms);
    EXPECT_EQ(std::vector<std::uint8_t>(wait.code, wait.code + wait.length), c.code) << c.ms;
  }
}

TEST(Renumber, FollowsALengthChangeFromTheChangedCommand) {
  MacroCommands commands = Parse({0x04, 0x88, 0x10, 0x21, 0x41});
  ASSERT_EQ(Addresses(commands), (std::vector<std::uint32_t>{0, 1, 3, 4}));
  commands[1] = MakeWait(300);
  commands[1].address = 1;
  Renumber(commands, 1);
  EXPECT_EQ(Addresses(commands), (std::vector<std::uint32_t>{0, 1, 4, 5}));
  commands[0].address = 7;
  Renumber(commands);
  EXPECT_EQ(Addresses(commands), (std::vector<std::uint32_t>{0, 1, 4, 5}));
}

TEST(EncodeMacro, NeverCopiesMoreThanTheFiveCodeBytes) {
  MacroCommands commands = NewMacro();
  MacroCommand odd;
  odd.length = 9;
  odd.code[0] = 0x80;
  commands.push_back(odd);
  EXPECT_EQ(EncodeMacro(commands).size(), 6u);
}
