#include <gtest/gtest.h>

#include <vector>

#include "macro/MacroDirectory.h"

namespace {

void Use(MacroDirectory& directory, int index, const std::u16string& name, std::uint32_t start, std::uint32_t end,
         std::uint32_t mode = 0x04) {
  auto& slot = directory.slots[static_cast<std::size_t>(index)];
  slot.name = name;
  slot.start = start;
  slot.end = end;
  slot.mode = mode;
}

}  // namespace

TEST(MacroDirectory, CountsInclusiveRangesAndStartsWithTheWholeAreaFree) {
  MacroDirectory directory;
  directory.RefreshDirectory();
  EXPECT_EQ(directory.freeBytes, 5888);
  for (int button = 0; button < 12; ++button) EXPECT_TRUE(directory.MacrosForButton(button, 0).items.empty());
  Use(directory, 3, u"one", 0, 0);
  Use(directory, 7, u"two", 100, 199);
  Use(directory, 9, u"odd", 50, 10);  // end before start: counts nothing
  directory.RefreshDirectory();
  EXPECT_EQ(directory.UsedBytes(), 101);
  EXPECT_EQ(directory.freeBytes, 5888 - 101);
}

TEST(MacroDirectory, OrdersByNameIgnoringCaseAndKeepsTiesInDirectoryOrder) {
  MacroDirectory directory;
  Use(directory, 5, u"beta", 10, 10);
  Use(directory, 1, u"abc", 20, 20);
  Use(directory, 2, u"ABC", 30, 30);
  Use(directory, 0, u"Zed", 40, 40);
  directory.RefreshDirectory();
  // Then the empty entries in directory order.
  EXPECT_EQ(std::vector<int>(directory.order.begin(), directory.order.begin() + 5), (std::vector<int>{1, 2, 5, 0, 3}));
  EXPECT_EQ(directory.order[63], 63);
}

TEST(MacroDirectory, ClearsAProfileBitOnlyWhenNoOtherButtonStillPlaysTheMacro) {
  MacroDirectory directory;
  Use(directory, 0, u"m", 100, 120);
  std::array<std::uint32_t, 12> buttons;
  buttons.fill(kEmptySlot);
  buttons[2] = 100;
  buttons[4] = 100;
  directory.MarkProfileUse(3, 100);
  directory.MarkProfileUse(3, 555);  // no such macro: nothing happens
  EXPECT_EQ(directory.slots[0].profiles, 0x08);

  directory.ReleaseProfileUse(3, 2, 100, buttons);
  EXPECT_EQ(directory.slots[0].profiles, 0x08);
  buttons[2] = kEmptySlot;
  directory.ReleaseProfileUse(3, 4, 100, buttons);
  EXPECT_EQ(directory.slots[0].profiles, 0x00);
  directory.MarkProfileUse(1, 100);
  directory.ReleaseProfileUse(1, 4, kEmptySlot, buttons);
  EXPECT_EQ(directory.slots[0].profiles, 0x02);
}
