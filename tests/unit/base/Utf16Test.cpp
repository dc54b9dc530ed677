#include <gtest/gtest.h>

#include "base/Utf16.h"

TEST(Utf16, RoundTripsEveryPlaneThroughUtf8AndLowersLatinCapitalsOnly) {
  const std::u16string original = u"Abc \u00e9\u555f\u59cb \U0001F5B1";
  EXPECT_EQ(text::FromUtf8(text::ToUtf8(original)), original);
  EXPECT_EQ(text::ToUtf8(u"\u555f"), "\xe5\x95\x9f");
  EXPECT_EQ(text::ToLower(u"/HIDE \u00c9\u00d7\u555f"), u"/hide \u00e9\u00d7\u555f");
}

TEST(Utf16, ReplacesBrokenInputInsteadOfReadingPastIt) {
  EXPECT_EQ(text::FromUtf8("a\xe5\x95"), u"a\uFFFD");      // cut in the middle
  EXPECT_EQ(text::FromUtf8("\xc0\xaf"), u"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(text::FromUtf8("\xff"), u"\uFFFD");
  EXPECT_EQ(text::ToUtf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");  // lone surrogate
}
