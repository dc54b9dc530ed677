#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "device/MemoryImage.h"
#include "unit/device/SimRig.h"

namespace {

std::vector<std::uint8_t> Bytes(int n, std::uint8_t first = 0x10) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

}  // namespace

TEST(WriteBytes, SendsNothingForNoBytesOrRangesOutsideTheMemory) {
  SimRig rig;
  const auto data = Bytes(32);
  EXPECT_EQ(device::WriteBytes(rig.link, rig.Path(), 0x100, data.data(), 0), 0);
  EXPECT_EQ(device::WriteBytes(rig.link, rig.Path(), 0x100, data.data(), 33), 0);
  EXPECT_EQ(device::WriteBytes(rig.link, rig.Path(), 8190, data.data(), 3), 0);
  EXPECT_EQ(device::WriteBytes(rig.link, u"unlisted", 0x100, data.data(), 3), 0);
  EXPECT_TRUE(rig.Requests().empty());
}

TEST(WriteBytes, WritesOneAndTwoBytesDirectlyAndPausesAfterTwo) {
  SimRig rig;
  const auto data = Bytes(2, 0xA0);
  ASSERT_EQ(device::WriteBytes(rig.link, rig.Path(), 0x1234, data.data(), 1), 1);
  ASSERT_EQ(device::WriteBytes(rig.link, rig.Path(), 0x0805, data.data(), 2), 1);
  EXPECT_EQ(rig.Requests(), (std::vector<std::string>{"set 02 01 34 12 00 A0 00 12",
                                                      "set 02 02 05 08 00 A0 A1 12"}));
  EXPECT_EQ(rig.Sleeps(), (std::vector<std::int64_t>{1000, 1000, 1000}));
  EXPECT_EQ(rig.Mouse().memory[0x1234], 0xA0);
  EXPECT_EQ(rig.Mouse().memory[0x0806], 0xA1);
}

// The mouse's log shows how long the host let the memory program before it
// read the commit's reply: each step up starts one byte above 12, 18, 24, 30.
TEST(WriteBytes, RaisesTheCommitPauseWithTheNumberOfBytes) {
  struct Case {
    int n;
    std::size_t stages;
    std::int64_t waitUs;
  };
  const std::vector<Case> cases = {
      {3, 1, 1000},  {6, 1, 1000},  {7, 2, 1000},  {12, 2, 1000},  {13, 3, 3000},
      {18, 3, 3000}, {19, 4, 6000}, {24, 4, 6000}, {25, 5, 9000},  {30, 5, 9000},
      {31, 6, 10000}, {32, 6, 10000},
  };
  const std::vector<std::string> stageCommands = {"03", "05", "06", "07", "08", "09"};
  for (const auto& c : cases) {
    SimRig rig;
    const auto data = Bytes(c.n);
    ASSERT_EQ(device::WriteBytes(rig.link, rig.Path(), 0x1000, data.data(), c.n), 1);
    const auto requests = rig.Requests();
    ASSERT_EQ(requests.size(), c.stages + 1) << c.n;
    for (std::size_t i = 0; i < c.stages; ++i) {
      EXPECT_EQ(requests[i].substr(0, 9), "set 02 " + stageCommands[i]) << c.n;
    }
    char commit[40];
    std::snprintf(commit, sizeof commit, "set 02 04 00 10 00 %02X 00 12", c.n);
    EXPECT_EQ(requests.back(), commit);
    if (c.n == 7) {
      EXPECT_EQ(requests[1], "set 02 05 16 00 00 00 00 00");  // padded with zeros
    }
    const auto sleeps = rig.Sleeps();  // a pause after every staging request
    ASSERT_GT(sleeps.size(), c.stages) << c.n;
    EXPECT_EQ(std::vector<std::int64_t>(sleeps.begin(), sleeps.begin() + static_cast<long>(c.stages)),
              std::vector<std::int64_t>(c.stages, 1000)) << c.n;
    std::int64_t committedAt = -1;
    std::int64_t waited = -1;
    for (const auto& event : rig.port.Log()) {
      if (event.kind == sim::SimEvent::Kind::kSetFeature) {
        committedAt = event.timeUs;
        waited = -1;
      } else if (event.kind == sim::SimEvent::Kind::kGetFeature && waited < 0 && committedAt >= 0) {
        waited = event.timeUs - committedAt;
      }
    }
    EXPECT_EQ(waited, c.waitUs) << c.n;
    EXPECT_TRUE(std::equal(data.begin(), data.end(), rig.Mouse().memory.begin() + 0x1000)) << c.n;
    EXPECT_EQ(rig.Mouse().memory[0x1000 + static_cast<std::size_t>(c.n)], 0xFF) << c.n;
    EXPECT_TRUE(rig.Mouse().protocolErrors.empty()) << c.n;
  }
}

TEST(WriteBytes, StopsAtTheFirstFailedStagingRequest) {
  SimRig rig;
  rig.Mouse().faults.unplugAfterRequests = rig.Mouse().RequestsServed() + 2;
  const auto data = Bytes(20);
  EXPECT_EQ(device::WriteBytes(rig.link, rig.Path(), 0x1000, data.data(), 20), 0);
  EXPECT_EQ(rig.Requests().size(), 3u);  // two taken, the third refused, nothing after
  EXPECT_EQ(rig.Mouse().memory[0x1000], 0xFF);
}

TEST(WritePage32, StagesTheLastTwoBytesWithoutPauseAndCommitsWithFive) {
  SimRig rig;
  const auto data = Bytes(32, 0x40);
  ASSERT_EQ(device::WritePage32(rig.link, rig.Path(), 0x0820, data.data()), 1);
  const auto requests = rig.Requests();
  ASSERT_EQ(requests.size(), 7u);
  EXPECT_EQ(requests[5], "set 02 09 5E 5F 00 00 00 12");
  EXPECT_EQ(requests[6], "set 02 0A 20 08 00 00 00 12");
  EXPECT_EQ(rig.Sleeps(),
            (std::vector<std::int64_t>{1000, 1000, 1000, 1000, 1000, 1000, 5000, 1000}));
  EXPECT_TRUE(std::equal(data.begin(), data.end(), rig.Mouse().memory.begin() + 0x0820));
}

// Reading the whole image is BackupTest's, request by request.
TEST(WriteImage, WritesTheWholeImagePageByPageShowingItsProgress) {
  SimRig rig;
  std::mt19937 random(7);
  device::MemoryImage written{};
  for (auto& b : written) b = static_cast<std::uint8_t>(random());
  std::vector<double> progress;
  ASSERT_EQ(device::WriteImage(rig.link, rig.Path(), written.data(), device::kMemorySize,
                               [&](double f) { progress.push_back(f); }),
            1);
  ASSERT_EQ(progress.size(), 256u);
  EXPECT_DOUBLE_EQ(progress.back(), 8160.0 / 8192.0);
  EXPECT_EQ(rig.Requests().size(), 256u * 7u);
  EXPECT_EQ(rig.Mouse().memory, written);
  EXPECT_EQ(rig.port.OpenHandles(), 0);
}

TEST(ReadImage, StopsAtTheFirstFailedReadAndKeepsTheRestOfTheImage) {
  SimRig rig;
  rig.Mouse().memory.fill(0x5A);
  rig.Mouse().faults.unplugAfterRequests = rig.Mouse().RequestsServed() + 10;
  device::MemoryImage image{};
  image.fill(0x01);
  EXPECT_EQ(device::ReadImage(rig.link, rig.Path(), image), 0);
  EXPECT_EQ(image[69], 0x5A);
  EXPECT_EQ(image[70], 0x01);
  EXPECT_EQ(image[8191], 0x01);
}

TEST(WriteImage, StopsAtTheFirstFailedPageAndPadsAShortLastPage) {
  SimRig rig;
  const auto data = Bytes(40);
  ASSERT_EQ(device::WriteImage(rig.link, rig.Path(), data.data(), 40), 1);
  EXPECT_EQ(rig.Requests().size(), 14u);
  EXPECT_EQ(rig.Mouse().memory[39], data[39]);
  EXPECT_EQ(rig.Mouse().memory[40], 0x00);

  rig.Forget();
  rig.Mouse().faults.unplugAfterRequests = rig.Mouse().RequestsServed() + 9;
  device::MemoryImage image{};
  EXPECT_EQ(device::WriteImage(rig.link, rig.Path(), image.data(), device::kMemorySize), 0);
  EXPECT_EQ(rig.Requests().size(), 10u);
}

TEST(WriteDirectoryEntry, WritesTheNameInThreePartsThenBothWordsOfAnEntryThatExists) {
  SimRig rig;
  ASSERT_EQ(
      device::WriteDirectoryEntry(rig.link, rig.Path(), 2, 0x0900, 0x0A10, u"ABCDEFGHIJKLMNOP"), 1);
  const auto& memory = rig.Mouse().memory;
  EXPECT_EQ(std::vector<int>(memory.begin() + 64, memory.begin() + 70),
            (std::vector<int>{0x00, 0x09, 0x10, 0x0A, 'A', 0}));
  EXPECT_EQ(memory[64 + 28], 'M');
  EXPECT_EQ(memory[64 + 30], 'N');  // the name is cut after 14 characters
  const auto requests = rig.Requests();
  ASSERT_EQ(requests.size(), 3u + 3u + 2u + 2u);
  EXPECT_EQ(requests[8], "set 02 02 40 00 00 00 09 12");
  EXPECT_EQ(requests[9], "set 02 02 42 00 00 10 0A 12");
  // There is no entry 64. Clearing an entry is ResetTest's, request by request.
  EXPECT_EQ(device::WriteDirectoryEntry(rig.link, rig.Path(), 64, 0, 0, u""), 0);
}
