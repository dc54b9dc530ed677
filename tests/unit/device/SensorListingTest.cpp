#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "device/SensorListing.h"
#include "support/TempFolder.h"

TEST(SensorListing, LaysSixteenBytesOnEachDataLineAndPassesOverLinesWithoutAHexByte) {
  std::string text;
  for (int i = 0; i < 17; ++i) {
    char line[8];
    std::snprintf(line, sizeof line, "%02X\r\n", i);
    text += line;
  }
  const std::u16string listing = device::FormatSensorListing(text);
  EXPECT_EQ(listing.substr(0, 20), u"DB \t0x00, 0x01, 0x02");
  EXPECT_NE(listing.find(u"0x0F\r\nDB \t0x10, "), std::u16string::npos);
  EXPECT_EQ(listing.size(), 4u + 16u * 6u + 4u + 6u);
  EXPECT_EQ(device::FormatSensorListing("4d rest\r\n\r\nzz\r\n8E"), u"DB \t0x4d, 0x8E, ") << "no final line break needed";
  EXPECT_EQ(device::FormatSensorListing(""), u"");
  EXPECT_EQ(device::FormatSensorListing("A"), u"");
}

TEST(SensorListing, ReadsTheFileWholeOrReportsItMissing) {
  std::u16string listing = u"unchanged";
  EXPECT_FALSE(device::ReadSensorListing("no/such/listing.txt", listing));
  EXPECT_EQ(listing, u"unchanged");
  const TempFolder folder;
  std::ofstream(folder / "listing.txt", std::ios::binary) << "01\r\nFF\r\n";
  ASSERT_TRUE(device::ReadSensorListing(folder / "listing.txt", listing));
  EXPECT_EQ(listing, u"DB \t0x01, 0xFF, ");
}
