// Reading the mouse's macro directory and each macro's mode byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimRig.h"
#include "base/DiagLog.h"
#include "device/MouseDirectory.h"
#include "sim/SampleMacros.h"

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
  const bool read = ReadMouseMacros(rig.link, rig.Path(), macros);
  diag::Close();
  ASSERT_TRUE(read);
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
