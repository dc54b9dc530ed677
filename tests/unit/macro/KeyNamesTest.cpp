#include <gtest/gtest.h>

#include "macro/ConsumerKeys.h"
#include "macro/EnglishKeyNames.h"
#include "macro/KeyNames.h"
#include "macro/ScanCodeTable.h"

namespace {

class RecordingSource : public KeyNameSource {
 public:
  std::u16string NameForRequest(std::uint32_t request) override {
    requests.push_back(request);
    return u"k";
  }
  std::vector<std::uint32_t> requests;
};

}  // namespace

TEST(ScanCodeTable, ParsesLinesWithAnyLineEndAndStrayBlanks) {
  const ScanCodeTable table = ScanCodeTable::Parse(u"4 30\r\n5\t 4 8\r\n70  57399\n\r72 197\n300 9\n-1 7\n83 69");
  EXPECT_EQ(table.ScanCode(4), 30u);
  EXPECT_EQ(table.ScanCode(5), 48u);
  EXPECT_EQ(table.ScanCode(70), 0xE037u);
  EXPECT_EQ(table.ScanCode(72), 0xC5u);
  EXPECT_EQ(table.ScanCode(83), 0x45u);  // last line without a line end
  EXPECT_EQ(table.ScanCode(0), 7u);      // usages outside 0..255 count as 0
  EXPECT_EQ(table.ScanCode(6), 0u);
}

TEST(ScanCodeTable, FindsTheLowestUsageOfAScanCode) {
  const ScanCodeTable table = ScanCodeTable::Parse(u"49 43\n50 43\n255 255\n4 30\n");
  EXPECT_EQ(table.UsageFromScanCode(43), 49);
  EXPECT_EQ(table.UsageFromScanCode(30), 4);
  EXPECT_EQ(table.UsageFromScanCode(255), 0);  // usage 255 is never an answer
  EXPECT_EQ(table.UsageFromScanCode(0), 0);
  EXPECT_EQ(table.UsageFromScanCode(99), 0);
}

TEST(ScanCodeTable, ReadsTheResourceAsUtf16OrAsBytes) {
  EXPECT_EQ(ScanCodeTextFromBytes({0xFF, 0xFE, '4', 0, ' ', 0, '3', 0}), u"4 3");
  EXPECT_EQ(ScanCodeTextFromBytes({'4', ' ', '3'}), u"4 3");
}

TEST(KeyNameRequest, MarksExtendedKeysAndSeparatesNumLockFromPause) {
  EXPECT_EQ(KeyNameRequest(0x1E), 0x1E0000u);
  EXPECT_EQ(KeyNameRequest(0xE048), 0x1480000u);
  EXPECT_EQ(KeyNameRequest(0x45), 0x1450000u);
  EXPECT_EQ(KeyNameRequest(0xC5), 0x450000u);
  EXPECT_EQ(KeyNameRequest(0), 0u);
}

TEST(KeyNames, LoadsTheTableOnceOnTheFirstRequest) {
  RecordingSource source;
  int loads = 0;
  KeyNames keys(
      [&loads] {
        ++loads;
        return std::u16string(u"72 197\n83 69\n4 30\n");
      },
      source);
  EXPECT_EQ(loads, 0);
  keys.KeyName(72);
  keys.KeyName(83);
  EXPECT_EQ(keys.UsageFromScanCode(30), 4);
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(source.requests, (std::vector<std::uint32_t>{0x450000, 0x1450000}));
}

TEST(EnglishKeyNames, NamesPlainAndExtendedKeysApart) {
  EnglishKeyNames names;
  EXPECT_EQ(names.NameForRequest(0x1C0000), u"Enter");
  EXPECT_EQ(names.NameForRequest(0x11C0000), u"Num Enter");
  EXPECT_EQ(names.NameForRequest(0xFF0000), u"");
}

TEST(ConsumerKeys, NamesUsagesAndMapsMediaKeyCodes) {
  EXPECT_EQ(ConsumerName(0xCD), u"Play/Pause");
  EXPECT_EQ(ConsumerName(0x192), u"Calculator");
  EXPECT_EQ(ConsumerName(0xB2), u"Unknown");
  EXPECT_EQ(ConsumerFromKeyCode(0xB3), 0xCD);
  EXPECT_EQ(ConsumerFromKeyCode(0xAD), 0);
  EXPECT_EQ(ConsumerFromKeyCode(0xB1), 0xB6);
  EXPECT_EQ(ConsumerFromKeyCode(0x1CE), 0);
}
