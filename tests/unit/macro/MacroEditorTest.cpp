#include <gtest/gtest.h>

#include <vector>

#include "macro/MacroEditor.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Action = MacroEditor::EditStart::Action;

MacroCommands Parsed(const Bytes& bytes) {
  MacroCommands commands;
  ParseMacroBytes(commands, bytes.data(), bytes.size());
  return commands;
}

MacroEditor EditorWith(const Bytes& bytes) {
  MacroEditor editor;
  editor.Load(Parsed(bytes));
  return editor;
}

std::vector<std::uint32_t> Addresses(const MacroEditor& editor) {
  std::vector<std::uint32_t> addresses;
  for (const auto& command : editor.Commands()) addresses.push_back(command.address);
  return addresses;
}

constexpr int kKeyPageDown = 0x22;
constexpr int kKeyEnd = 0x23;
constexpr int kKeyHome = 0x24;
constexpr int kKeyUp = 0x26;
constexpr int kKeyDelete = 0x2E;

}  // namespace

TEST(MacroEditor, TheModeCommandCyclesOnEditAndCannotBeDeleted) {
  MacroEditor editor = EditorWith({0x04, 0x21});
  const Bytes modes = {0x05, 0x06, 0x04};
  for (const std::uint8_t mode : modes) {
    EXPECT_EQ(editor.EditGesture(0).action, Action::kModeCycled);
    EXPECT_EQ(editor.Commands()[0].code[0], mode);
  }
  EXPECT_FALSE(editor.DeleteCommand(0));
  EXPECT_FALSE(editor.OnKey(kKeyDelete));
  EXPECT_EQ(editor.Commands().size(), 2u);
}

TEST(MacroEditor, ATemplateGoesAfterTheDropRowOrTheSelectionAndShiftsWhatFollows) {
  MacroEditor editor = EditorWith({0x04, 0x21, 0x41});
  EXPECT_EQ(editor.InsertTemplate(1, 1), 2);
  EXPECT_EQ(EncodeMacro(editor.Commands()), (Bytes{0x04, 0x21, 0x88, 0x01, 0x41}));
  EXPECT_EQ(Addresses(editor), (std::vector<std::uint32_t>{0, 1, 2, 4}));
  EXPECT_EQ(editor.CaptureRow(), -1);

  editor.Select(1);
  EXPECT_EQ(editor.InsertTemplate(6, -1), 2);
  EXPECT_EQ(editor.Selected(), 2);
  EXPECT_EQ(editor.CaptureRow(), 2);
  EXPECT_EQ(editor.InsertTemplate(3, 99), 3);  // past the end counts as no row
  EXPECT_EQ(EncodeMacro(editor.Commands()), (Bytes{0x04, 0x21, 0x61, 0x84, 0x04, 0x88, 0x01, 0x41}));
  EXPECT_EQ(editor.InsertTemplate(7, 0), -1);
}

TEST(MacroEditor, AWaitEditedPastOneByteGrowsAndShrinksBack) {
  MacroEditor editor = EditorWith({0x04, 0x88, 0x01, 0x41});
  const MacroEditor::EditStart start = editor.EditGesture(1);
  EXPECT_EQ(start.action, Action::kWaitBox);
  EXPECT_EQ(start.waitValue, 1);

  ASSERT_TRUE(editor.CommitWait(1, u"300", true));
  EXPECT_EQ(EncodeMacro(editor.Commands()), (Bytes{0x04, 0x89, 0x2C, 0x01, 0x41}));
  EXPECT_EQ(editor.Commands()[2].address, 4u);
  EXPECT_EQ(editor.EditGesture(1).waitValue, 300);

  ASSERT_TRUE(editor.CommitWait(1, u"200", true));
  EXPECT_EQ(EncodeMacro(editor.Commands()), (Bytes{0x04, 0x88, 0xC8, 0x41}));
  EXPECT_EQ(editor.Commands()[2].address, 3u);
  EXPECT_FALSE(editor.CommitWait(2, u"5", true));
}

TEST(MacroEditor, ATypedWaitIsClampedByHowTheBoxWasClosed) {
  const struct Case {
    const char16_t* typed;
    bool byEnter;
    Bytes wait;
  } cases[] = {
      {u"0", true, {0x88, 0x00}},          {u"0", false, {0x88, 0x01}},  {u"", false, {0x88, 0x01}},
      {u"abc", true, {0x88, 0x00}},        {u"255", true, {0x88, 0xFF}}, {u"256", false, {0x89, 0x00, 0x01}},
      {u"99999999", true, {0x89, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    MacroEditor editor = EditorWith({0x04, 0x88, 0x05});
    ASSERT_TRUE(editor.CommitWait(1, c.typed, c.byEnter));
    Bytes expected{0x04};
    expected.insert(expected.end(), c.wait.begin(), c.wait.end());
    EXPECT_EQ(EncodeMacro(editor.Commands()), expected) << c.byEnter;
  }
}

TEST(MacroEditor, AnEditedKeyOrMouseCommandTakesTheCapturedCommand) {
  MacroEditor editor = EditorWith({0x04, 0x83, 0x04, 0x61, 0x22});
  EXPECT_EQ(editor.EditGesture(2).capture, Capture::kWheel);
  EXPECT_EQ(editor.EditGesture(3).capture, Capture::kButton);
  const MacroEditor::EditStart start = editor.EditGesture(1);
  EXPECT_EQ(start.action, Action::kCapture);
  EXPECT_EQ(start.capture, Capture::kKey);
  editor.ApplyCapture(Parsed({0x04, 0x84, 0x29})[1]);
  EXPECT_EQ(EncodeMacro(editor.Commands()), (Bytes{0x04, 0x84, 0x29, 0x61, 0x22}));
  EXPECT_EQ(editor.CaptureRow(), -1);
}

TEST(MacroEditor, ALibraryMacroReplacesAFreshEditorAndIsAppendedToALongerOne) {
  MacroEditor editor;
  editor.Load(Parsed({0x05, 0x21, 0x41}));
  EXPECT_EQ(EncodeMacro(editor.Commands()), (Bytes{0x05, 0x21, 0x41}));
  EXPECT_EQ(editor.Selected(), 2);

  editor.Load(Parsed({0x06, 0x83, 0x04, 0x84, 0x04}));
  EXPECT_EQ(EncodeMacro(editor.Commands()), (Bytes{0x05, 0x21, 0x41, 0x83, 0x04, 0x84, 0x04}));
  EXPECT_EQ(Addresses(editor), (std::vector<std::uint32_t>{0, 1, 2, 3, 5}));
  EXPECT_EQ(editor.Selected(), 4);
}

TEST(MacroEditor, DeletingKeepsTheSelectionAndTheViewInsideTheList) {
  MacroEditor editor;
  for (std::uint8_t i = 0; i < 11; ++i) editor.Append(Parsed({0x04, 0x88, i})[1]);
  EXPECT_EQ(editor.Selected(), 11);
  EXPECT_EQ(editor.FirstVisible(), 4);

  EXPECT_TRUE(editor.OnKey(kKeyDelete));
  EXPECT_EQ(editor.Selected(), 10);
  EXPECT_EQ(editor.FirstVisible(), 3);
  EXPECT_EQ(editor.Size(), 21u);

  EXPECT_TRUE(editor.DeleteCommand(4));
  EXPECT_EQ(editor.Selected(), 4);
  EXPECT_EQ(editor.Commands()[4].code[1], 4);
  EXPECT_EQ(editor.Commands()[4].address, 7u);
}

TEST(MacroEditor, KeysMoveTheSelectionAndTheWheelMovesTheViewWithinBounds) {
  MacroEditor editor;
  for (std::uint8_t i = 0; i < 19; ++i) editor.Append(Parsed({0x04, 0x21})[1]);
  EXPECT_TRUE(editor.OnKey(kKeyHome));
  EXPECT_FALSE(editor.OnKey(0x41));
  EXPECT_TRUE(editor.OnKey(kKeyUp));
  EXPECT_EQ(editor.Selected(), 0);
  EXPECT_TRUE(editor.OnKey(kKeyPageDown));
  EXPECT_EQ(editor.Selected(), 8);
  EXPECT_EQ(editor.FirstVisible(), 1);
  editor.Wheel(120);
  editor.Wheel(120);
  EXPECT_EQ(editor.FirstVisible(), 0);
  EXPECT_TRUE(editor.OnKey(kKeyEnd));
  EXPECT_EQ(editor.Selected(), 19);
  EXPECT_EQ(editor.FirstVisible(), 12);
  editor.Wheel(-120);
  EXPECT_EQ(editor.FirstVisible(), 12);
  editor.Wheel(-1);
  editor.Wheel(240);
  EXPECT_EQ(editor.FirstVisible(), 11);
}
