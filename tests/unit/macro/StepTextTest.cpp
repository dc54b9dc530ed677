#include <gtest/gtest.h>

#include "macro/EnglishKeyNames.h"
#include "macro/StepTexts.h"
#include "support/KeyTableText.h"

namespace {

class StepTextTest : public ::testing::Test {
 protected:
  std::u16string Text(std::vector<std::uint8_t> bytes) {
    MacroCommand command;
    bytes.resize(5);
    DecodeCommand(bytes.data(), command);
    return StepText(command, texts, keys);
  }

  EnglishKeyNames english;
  KeyNames keys{KeyTableText, english};
  MacroStepTexts texts;
};

}  // namespace

TEST_F(StepTextTest, NamesEveryKindOfStepWithItsKeysButtonsAndNumbers) {
  const struct Case {
    std::vector<std::uint8_t> bytes;
    std::u16string text;
  } cases[] = {
      // Keys are named through the layout; Pause and Num Lock share a scan code.
      {{0x83, 0x04}, u"Press & hold Keyboard  A"},
      {{0x84, 0x28}, u"Release Keyboard  Enter"},
      {{0x83, 0x48}, u"Press & hold Keyboard  Pause"},
      {{0x83, 0x53}, u"Press & hold Keyboard  Num Lock"},
      {{0x83, 0x66}, u"Press & hold Keyboard  "},
      {{0x85, 0xE9, 0x00}, u"Press & hold Consumer-key  Volume +"},
      {{0x85, 0x00, 0x00}, u"Release Consumer-key"},
      {{0x85, 0x01, 0x00}, u"Press & hold Consumer-key  Unknown"},
      {{0x85, 0x2A, 0x02}, u"Press & hold Consumer-key  Bookmarks"},
      {{0x88, 0x32, 0x07}, u"Wait 50 ms"},
      {{0x89, 0x10, 0x27}, u"Wait 10000 ms"},
      {{0x08, 0x03, 0x01}, u"Jump to address 259"},
      {{0x10, 0x01, 0x00}, u"Set ACC=ACC-1, if ACC!=0 then jump to address 1"},
      {{0x18, 0xFF, 0xFF}, u"Set ACC=65535"},
      // Button 4 is mask bit 8.
      {{0x23}, u"Press & hold mouse button [Left][Right]"},
      {{0x20}, u"Press & hold mouse button "},
      {{0x5F}, u"Release mouse button [Left][Right][Middle][B4][B5]"},
      {{0x28}, u"Press & hold mouse button [B4]"},
      {{0x50}, u"Release mouse button [B5]"},
      {{0x04}, u"Execute one time"},
      {{0x05}, u"Loop mode"},
      {{0x06}, u"Firekey mode"},
      {{0x00}, u"Stop"},
      {{0xC7}, u"System command"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(c.bytes), c.text);
  for (std::uint8_t op : {0x80, 0x81, 0x82, 0x02, 0xD0, 0xFF}) EXPECT_EQ(Text({op}), u"Unknown") << int(op);
}

TEST_F(StepTextTest, UsesTheBackwardWheelTextOnlyWhenItIsSet) {
  EXPECT_EQ(Text({0x7F}), u"Wheel Scrolling -1 count(unit)");
  EXPECT_EQ(Text({0x6F}), u"Wheel Scrolling 15 count(unit)");
  texts.SetStep(MacroStepTexts::kWheelBack, u"Scroll back %d");
  EXPECT_EQ(Text({0x7F}), u"Scroll back 1");
  EXPECT_EQ(Text({0x60}), u"Scroll back 0");
  EXPECT_EQ(Text({0x61}), u"Wheel Scrolling 1 count(unit)");
}

TEST_F(StepTextTest, FillsAReworkedTemplateAsEveryOtherTextButNeverAsAPrintfFormat) {
  texts.SetStep(MacroStepTexts::kWait, u"%s %n %x Wait %d ms %d 100%%");
  EXPECT_EQ(Text({0x88, 0x05}), u"%s %n %x Wait 5 ms %d 100%");
  // The DPI and memory labels take these conversions too.
  texts.SetStep(MacroStepTexts::kWait, u"Warte %i ms");
  EXPECT_EQ(Text({0x88, 0x05}), u"Warte 5 ms");
  texts.SetStep(MacroStepTexts::kWait, u"[%-4d]");
  EXPECT_EQ(Text({0x88, 0x05}), u"[5   ]");
  texts.SetStep(MacroStepTexts::kKeyDown, u"%d %s%s");
  EXPECT_EQ(Text({0x83, 0x04}), u"%d A%s");
}

TEST(StepIcon, ClassifiesEveryKindOfCommand) {
  struct Case {
    std::uint8_t op;
    int icon;
  } cases[] = {{0x88, 0}, {0x89, 0}, {0x83, 1}, {0x85, 1}, {0x84, 2}, {0x21, 3}, {0x41, 4}, {0x04, 5},
               {0x05, 6}, {0x06, 7}, {0x7F, 8}, {0xC3, 9}, {0x08, -1}, {0x80, -1}, {0x00, -1}};
  for (const auto& c : cases) {
    MacroCommand command;
    command.code[0] = c.op;
    EXPECT_EQ(StepIcon(command), c.icon) << int(c.op);
  }
}

TEST(StepAddress, PadsToFourDigits) {
  MacroCommand command;
  command.address = 37;
  EXPECT_EQ(StepAddress(command), u"0037");
  command.address = 12345;
  EXPECT_EQ(StepAddress(command), u"12345");
}
