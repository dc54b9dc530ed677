#include <gtest/gtest.h>

#include <vector>

#include "base/ArchiveString.h"

namespace {

std::vector<std::uint8_t> Encode(const std::u16string& text) {
  ByteWriter writer;
  WriteArchiveString(writer, text);
  return writer.Take();
}

bool Decode(const std::vector<std::uint8_t>& bytes, std::u16string& text, std::size_t* used = nullptr) {
  ByteReader reader(bytes.data(), bytes.size());
  const bool ok = ReadArchiveString(reader, text);
  if (used) *used = reader.Offset();
  return ok;
}

}  // namespace

TEST(ArchiveString, WritesTheMarkerAndTheShortestLengthForm) {
  const std::vector<std::uint8_t> shortForm = {0xFF, 0xFE, 0xFF, 0x02, 'h', 0, 'i', 0};
  EXPECT_EQ(Encode(u"hi"), shortForm);

  const auto medium = Encode(std::u16string(0xFF, u'x'));
  EXPECT_EQ(std::vector<std::uint8_t>(medium.begin(), medium.begin() + 6),
            (std::vector<std::uint8_t>{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}));
  EXPECT_EQ(medium.size(), 6u + 2 * 0xFF);

  const auto longForm = Encode(std::u16string(0xFFFE, u'y'));
  EXPECT_EQ(std::vector<std::uint8_t>(longForm.begin(), longForm.begin() + 10),
            (std::vector<std::uint8_t>{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
}

TEST(ArchiveString, RoundTripsEveryLengthForm) {
  for (std::size_t length : {0u, 1u, 0xFEu, 0xFFu, 0xFFFDu, 0xFFFEu, 0x10005u}) {
    std::u16string original(length, u'\u555f');
    std::u16string back;
    std::size_t used = 0;
    const auto bytes = Encode(original);
    ASSERT_TRUE(Decode(bytes, back, &used)) << length;
    EXPECT_EQ(back, original);
    EXPECT_EQ(used, bytes.size());
  }
}

TEST(ArchiveString, ReadsAnOldEightBitStringAsLatin1AndRejectsCutOrMalformedOnesWithoutTouchingTheText) {
  std::u16string text;
  EXPECT_TRUE(Decode({0x03, 'a', 0xE9, 'z'}, text));
  EXPECT_EQ(text, u"a\u00e9z");
  EXPECT_TRUE(Decode({0xFF, 0x02, 0x00, 'o', 'k'}, text));
  EXPECT_EQ(text, u"ok");
  text = u"kept";
  EXPECT_FALSE(Decode({}, text));
  EXPECT_FALSE(Decode({0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0}, text));        // one character short
  EXPECT_FALSE(Decode({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00}, text));      // marker twice
  EXPECT_FALSE(Decode({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, text));  // huge
  EXPECT_FALSE(Decode({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, text));      // 64-bit form
  EXPECT_EQ(text, u"kept");
}
