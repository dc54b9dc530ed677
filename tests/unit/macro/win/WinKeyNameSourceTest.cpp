#include <gtest/gtest.h>

#include "macro/win/WinKeyNameSource.h"

// Only names that Windows' US layout and Wine's X keyboard give alike are
// asserted: Wine names some keys after X keysyms ("Num_Lock", "KP_Home").
TEST(WinKeyNameSource, NamesLettersDigitsAndFunctionKeysByScanCode) {
  WinKeyNameSource source;
  const std::pair<std::uint32_t, std::u16string> keys[] = {
      {0x1E, u"A"},  {0x10, u"Q"},   {0x2C, u"Z"},   {0x02, u"1"},   {0x0B, u"0"},
      {0x0F, u"Tab"}, {0x3B, u"F1"}, {0x44, u"F10"}, {0x58, u"F12"}, {0x2A, u"Shift"},
  };
  for (const auto& [scanCode, name] : keys) {
    EXPECT_EQ(source.NameForRequest(KeyNameRequest(scanCode)), name) << std::hex << scanCode;
  }
}

// The extended flag picks the navigation key over the keypad key on the same
// scan code, and Pause (kept as 0xC5) is asked for as the plain 0x45.
TEST(WinKeyNameSource, TellsExtendedKeysAndPauseFromTheirNeighbours) {
  WinKeyNameSource source;
  EXPECT_EQ(source.NameForRequest(KeyNameRequest(0xE047)), u"Home");
  EXPECT_EQ(source.NameForRequest(KeyNameRequest(0xE053)), u"Delete");
  EXPECT_NE(source.NameForRequest(KeyNameRequest(0x47)), u"Home");
  EXPECT_NE(source.NameForRequest(KeyNameRequest(0x53)), u"Delete");
  EXPECT_EQ(source.NameForRequest(KeyNameRequest(0xC5)), u"Pause");
  EXPECT_NE(source.NameForRequest(KeyNameRequest(0x45)), u"Pause");
}
