// The button lists against a simulated mouse that holds the sample macros:
// what each list offers, what a choice sends, and which profiles use which
// macro.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/ButtonAssignment.h"
#include "sim/SampleMacros.h"
#include "unit/device/SimRig.h"

namespace {

std::array<std::u16string, kButtonsPerProfile> OwnNames() {
  std::array<std::u16string, kButtonsPerProfile> names;
  for (int b = 0; b < kButtonsPerProfile; ++b) names[static_cast<std::size_t>(b)] = u"own " + std::u16string(1, u'a' + b);
  return names;
}

std::vector<std::u16string> Names(const FunctionList& list) {
  std::vector<std::u16string> names;
  for (const ButtonChoice& item : list.items) names.push_back(item.name);
  return names;
}

std::uint32_t StartOf(const ButtonAssignment& buttons, const std::u16string& name) {
  for (const MacroSlot& slot : buttons.Directory().slots) {
    if (slot.Used() && slot.name == name) return slot.start;
  }
  return kEmptySlot;
}

struct ButtonListsTest : ::testing::Test {
  SimRig rig;
  ButtonAssignment buttons;

  void SetUp() override {
    sim::LoadSampleMacros(rig.Mouse());
    std::vector<MouseMacro> macros;
    ASSERT_TRUE(ReadMouseMacros(rig.link, rig.Path(), macros));
    buttons.TakeMouseMacros(macros);
    rig.Forget();
  }
  // What the mouse service does with a choice.
  void Send(const ButtonFunctionChoice& choice, int button, const device::DevicePath& path) {
    device::SetButtonFunction(rig.link, path, choice.profile, button, choice.kind, choice.code, nullptr);
  }
};

}  // namespace

TEST_F(ButtonListsTest, OfferTheOwnFunctionThenTheMousesMacrosCaseBlindAndNoFirekeyToTheWheel) {
  const auto lists = buttons.Lists(OwnNames(), true);
  EXPECT_EQ(Names(lists[0]), (std::vector<std::u16string>{u"own a", u"alt tab", u"burst fire", u"Copy", u"Zoom in"}));
  EXPECT_EQ(lists[0].items[0].start, kEmptySlot);
  EXPECT_EQ(lists[0].selected, 0) << "a fresh table names no macro, not the one at address 0";
  for (int b = 0; b < kButtonsPerProfile; ++b) {
    const std::vector<std::u16string> names = Names(lists[static_cast<std::size_t>(b)]);
    const bool firekey = std::find(names.begin(), names.end(), u"burst fire") != names.end();
    EXPECT_EQ(firekey, b != 8 && b != 9) << "button " << b;
    EXPECT_TRUE(lists[static_cast<std::size_t>(b)].enabled);
  }
  EXPECT_FALSE(buttons.Lists(OwnNames(), false)[5].enabled);
  EXPECT_EQ(buttons.Directory().freeBytes, kMacroAreaSize - 39);
}

TEST_F(ButtonListsTest, AChoiceIsSentWithButtonsThreeAndFourExchangedAndTheFirstEntrySendsNoMacro) {
  const std::uint32_t copy = StartOf(buttons, u"Copy");
  ASSERT_EQ(copy, 7u);
  Send(buttons.Choose(3, copy), 3, rig.Path());
  Send(buttons.Choose(4, kEmptySlot), 4, rig.Path());
  EXPECT_EQ(rig.Requests(), (std::vector<std::string>{"set 01 85 00 04 80 07 00 12", "set 01 85 00 03 00 FF FF 12"}));
  EXPECT_EQ(rig.Mouse().buttonFunctions[0][4].kind, 0x80);
  EXPECT_EQ(buttons.Lists(OwnNames(), true)[3].items[static_cast<std::size_t>(buttons.Lists(OwnNames(), true)[3].selected)].name,
            u"Copy");

  rig.Forget();
  Send(buttons.Choose(0, copy), 0, {});
  EXPECT_TRUE(rig.Requests().empty()) << "no mouse: nothing is sent";
  EXPECT_EQ(buttons.Kind(0, 0), kKindMacro) << "the table still changes";
}

TEST_F(ButtonListsTest, AProfileKeepsItsMarkUntilItsLastButtonLetsTheMacroGo) {
  const std::uint32_t zoom = StartOf(buttons, u"Zoom in");
  const auto bits = [&] {
    for (const MacroSlot& slot : buttons.Directory().slots)
      if (slot.start == zoom) return slot.profiles;
    return std::uint8_t{0xFF};
  };
  Send(buttons.Choose(1, zoom), 1, rig.Path());
  Send(buttons.Choose(2, zoom), 2, rig.Path());
  EXPECT_EQ(bits(), 1);
  Send(buttons.Choose(1, kEmptySlot), 1, rig.Path());
  EXPECT_EQ(bits(), 1);
  Send(buttons.Choose(2, StartOf(buttons, u"Copy")), 2, rig.Path());
  EXPECT_EQ(bits(), 0);

  // A new reading of the mouse keeps the marks that the table implies.
  Send(buttons.Choose(5, zoom), 5, rig.Path());
  std::vector<MouseMacro> macros;
  ASSERT_TRUE(ReadMouseMacros(rig.link, rig.Path(), macros));
  buttons.TakeMouseMacros(macros);
  EXPECT_EQ(bits(), 1);
}

TEST(ButtonAssignmentTable, TheButtonsAreKnownOnlyOnceThisRunSentEveryOne) {
  ButtonAssignment table;
  EXPECT_FALSE(table.Buttons().known) << "the mouse may play anything it was given before";
  for (int profile = 0; profile < kMouseProfiles; ++profile) {
    for (int button = 0; button < kButtonsPerProfile; ++button) {
      EXPECT_FALSE(table.Buttons().known);
      table.Record(profile, button, kKindOwnFunction, device::kOwnFunction);
    }
  }
  EXPECT_TRUE(table.Buttons().known);
}
