#include <gtest/gtest.h>

#include <vector>

#include "base/ByteReader.h"

TEST(ByteReader, RefusesToReadPastTheEndAndRemembersWhere) {
  const std::uint8_t bytes[] = {1, 2, 3};
  ByteReader reader(bytes, sizeof bytes);
  std::uint16_t first = 0;
  std::uint32_t second = 7;
  EXPECT_TRUE(reader.ReadU16(first));
  EXPECT_FALSE(reader.ReadU32(second));
  EXPECT_EQ(second, 7u);
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(reader.FailOffset(), 2u);
  // The failure sticks, even for reads that would fit.
  std::uint8_t third = 0;
  EXPECT_FALSE(reader.ReadU8(third));
  EXPECT_EQ(reader.FailOffset(), 2u);
}

TEST(ByteReader, ChecksACountAgainstTheBytesLeftWithoutOverflowing) {
  const std::uint8_t bytes[10] = {};
  ByteReader reader(bytes, sizeof bytes);
  EXPECT_TRUE(reader.CanHold(2, 5));
  EXPECT_FALSE(reader.CanHold(3, 4));
  EXPECT_TRUE(reader.Failed());
  EXPECT_FALSE(ByteReader(bytes, sizeof bytes).CanHold(0xFFFFFFFFull, 13));
}
