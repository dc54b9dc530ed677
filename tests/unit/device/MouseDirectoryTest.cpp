// Reading the mouse's macro directory and each macro's mode byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimRig.h"
#include "base/DiagLog.h"
#include "device/MouseDirectory.h"
#include "sim/SampleMacros.h"
#include "support/FileBytes.h"

TEST(MouseDirectoryRead, TakesNamesRangesAndModesAndLogsTheEntriesItIgnores) {
  SimRig rig;
  sim::LoadSampleMacros(rig.Mouse());
  // Entry 10 ends before it starts, entry 11 reaches past the macro area.
  std::uint8_t* bad = rig.Mouse().memory.data() + 10 * 32;
  bad[0] = 50, bad[1] = 0, bad[2] = 40, bad[3] = 0;
  bad += 32;
  bad[0] = 0, bad[1] = 0x10, bad[2] = 0x00, bad[3] = 0x17;  // 4096 to 5888
  const std::filesystem::path log = std::filesystem::temp_directory_path() / "vantor-directory-read.log";
  std::filesystem::remove(log);
  diag::Open(log);
  std::vector<MouseMacro> macros;
  std::vector<LeftOutEntry> leftOut;
  const bool read = ReadMouseMacros(rig.link, rig.Path(), macros, &leftOut);
  diag::Close();
  ASSERT_TRUE(read);
  ASSERT_EQ(leftOut.size(), 2u);
  EXPECT_EQ(leftOut[1].entry, 11);
  ASSERT_EQ(macros.size(), 4u);
  EXPECT_EQ(macros[2].name, u"burst fire");
  EXPECT_EQ(macros[2].mode, 0x06u);
  EXPECT_EQ(macros[1].mode, 0x04u);
  EXPECT_EQ(macros[1].start, 7u);
  EXPECT_EQ(macros[1].end, 18u);
  // 293 directory reads, then one read per macro at its first byte.
  const auto requests = rig.Requests();
  ASSERT_EQ(requests.size(), 293u + 4u);
  EXPECT_EQ(requests.back(), "set 02 00 1B 08 00 00 00 12") << "the fourth macro starts at 0x0800 + 27";
  std::stringstream text;
  {
    // Closed before the file is removed: Windows refuses to remove an open file.
    std::ifstream in(log);
    text << in.rdbuf();
  }
  EXPECT_NE(text.str().find("directory entry 10 ignored"), std::string::npos);
  EXPECT_NE(text.str().find("directory entry 11 ignored"), std::string::npos);
  std::filesystem::remove(log);

  rig.Mouse().faults.unplugAfterRequests = rig.Mouse().RequestsServed() + 295;
  EXPECT_FALSE(ReadMouseMacros(rig.link, rig.Path(), macros));
  EXPECT_EQ(macros.size(), 4u) << "a read cut short leaves the last good one";
}

TEST(MouseDirectory, ListsOnlyEntriesThatLieWithinTheMacroAreaAndSaysWhyTheOthersAreLeftOut) {
  std::vector<std::uint8_t> bytes(kDirectoryBytes, 0xFF);
  const auto put = [&bytes](int entry, std::uint32_t start, std::uint32_t end, const std::string& name) {
    FileBytes record;
    record.U32(start | end << 16);
    for (char c : name) record.Raw({static_cast<std::uint8_t>(c), 0});
    record.data.resize(32);
    std::copy(record.data.begin(), record.data.end(), bytes.begin() + entry * 32);
  };
  put(0, 0, 9, "fourteen chars");  // the last two characters stand at offset 28
  put(1, 20, 19, "backwards");
  put(2, 5000, 5888, "past the end");
  put(5, 5887, 5887, "last byte");
  std::vector<LeftOutEntry> leftOut;
  const std::vector<MouseMacro> macros = ParseMouseDirectory(bytes.data(), &leftOut);
  ASSERT_EQ(macros.size(), 2u);
  EXPECT_EQ(macros[0].name, u"fourteen chars");
  EXPECT_EQ(macros[0].Size(), 10u);
  EXPECT_EQ(macros[1].entry, 5);
  EXPECT_EQ(macros[1].Size(), 1u);
  ASSERT_EQ(leftOut.size(), 2u);
  EXPECT_EQ(leftOut[0].entry, 1);
  EXPECT_EQ(leftOut[0].name, u"backwards");
  EXPECT_EQ(leftOut[0].reason, "its end 19 lies before its start 20");
  EXPECT_EQ(leftOut[1].entry, 2);
  EXPECT_EQ(leftOut[1].reason, "5000..5888 reaches past the 5888 bytes of the macro area");
}
