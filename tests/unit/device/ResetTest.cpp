#include <gtest/gtest.h>

#include <cstdio>

#include "unit/device/OperationRig.h"

namespace {

std::string Line(const char* format, int a = 0, int b = 0, int c = 0, int d = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}

// What a reset sends, as the mouse's protocol lays it out.
std::vector<std::string> ResetRequests() {
  std::vector<std::string> lines;
  for (int profile = 0; profile < 5; ++profile) {
    for (int button = 0; button < 12; ++button) {
      const int sent = button == 3 ? 4 : button == 4 ? 3 : button;
      lines.push_back(Line("set 01 85 %02X %02X 00 FF FF 12", profile, sent));
    }
    for (int i = 0; i < 16; ++i)
      lines.push_back(Line("set 01 89 %02X %02X 00 00 00 12", profile, i));
  }
  for (int entry = 0; entry < 64; ++entry) {
    const int base = 32 * entry;
    lines.push_back("set 02 03 00 00 00 00 00 00");
    lines.push_back(Line("set 02 04 %02X %02X 00 04 00 12", (base + 28) % 256, (base + 28) / 256));
    lines.push_back(Line("set 02 02 %02X %02X 00 FF FF 12", base % 256, base / 256));
    lines.push_back(Line("set 02 02 %02X %02X 00 FF FF 12", (base + 2) % 256, (base + 2) / 256));
  }
  for (int level = 0; level < 4; ++level) {
    const int step = 4 * (level + 1);
    lines.push_back("str 250");
    lines.push_back(Line("set 01 83 00 %02X %02X 00 00 12", level, step));
    lines.push_back(Line("set 01 83 01 %02X %02X 00 00 12", level, step));
    lines.push_back(Line("set 01 84 00 %02X 01 01 00 12", level));
    lines.push_back(Line("set 01 84 01 %02X 01 01 00 12", level));
  }
  const int values[5][3] = {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}, {2, 0, 2}, {0, 2, 2}};
  for (int profile = 0; profile < 5; ++profile) {
    lines.push_back(Line("set 01 86 %02X %02X %02X %02X 00 12", profile, values[profile][0],
                         values[profile][1], values[profile][2]));
  }
  lines.push_back("set 01 02 00 00 00 00 00 12");
  // The levels read again after the arrival.
  for (int level = 0; level < 4; ++level) {
    lines.push_back(Line("set 01 03 00 %02X 00 00 00 12", level));
    lines.push_back(Line("set 01 04 00 %02X 00 00 00 12", level));
  }
  return lines;
}

const std::vector<std::string> kClosingCalls = {"repaint", "arrival"};

}  // namespace

TEST(Reset, SendsTheDefaultsInOrderWithButtonThreeSentAsFour) {
  OperationRig ops;
  sim::SimulatedMouse& mouse = ops.rig.Mouse();
  FillMouse(mouse, 1);
  for (auto& profile : mouse.buttonFunctions) profile.fill(sim::ButtonFunction{7, 0x1234});

  const device::OperationResult result = device::Reset(ops.context);
  EXPECT_EQ(Summary(result), "memory 0, levels 4, names 5, buttons 60, entries 64, values 5, commits 1, failed 0");

  const auto requests = ops.rig.Requests();
  EXPECT_EQ(requests, ResetRequests());
  EXPECT_EQ(requests[2 * 28 + 3], "set 01 85 02 04 00 FF FF 12");  // profile 2, button 3

  // The requests above pin what the mouse is sent; these, that profiles 5 and 6
  // and the rest of each old name are left as they were.
  EXPECT_EQ(mouse.buttonFunctions[5][0].code, 0x1234);
  EXPECT_NE(mouse.names[6][0], 0);
  EXPECT_EQ(mouse.memory[32 + 4], static_cast<std::uint8_t>(36 * 7 + 13));
  EXPECT_EQ(mouse.settingsCommits, 1);

  // The window's tables learn the functions under the buttons as the user counts them.
  ASSERT_EQ(ops.buttons.entries.size(), 60u);
  EXPECT_EQ(ops.buttons.entries[2 * 12 + 3], std::make_tuple(2, 3, 0, 0xFFFF));
  ASSERT_EQ(ops.window.storedLevels.size(), 1u);
  EXPECT_EQ(ops.window.storedLevels[0][3].x, 16);
  EXPECT_EQ(ops.window.storedLevels[0][3].y, 16);

  std::vector<std::string> calls = {"repaint",
                                    "status Resetting button setting...",
                                    "second line ''",
                                    "status Deleting macro library...",
                                    "second line ''"};
  calls.insert(calls.end(), kClosingCalls.begin(), kClosingCalls.end());
  EXPECT_EQ(ops.window.calls, calls);
  ASSERT_EQ(ops.window.fractions.size(), 1u + 60u + 64u + 1u);
  EXPECT_EQ(ops.window.fractions[60], 1.0);
  EXPECT_EQ(ops.window.fractions[124], 1.0);
}

TEST(Reset, WithNoMouseOnlyRepaintsAndRunsAnArrivalUnderTheTextTablesStatus) {
  OperationRig ops(0);
  ops.texts.Set(device::OperationStatus::kResettingButtons, u"Tasten zur\u00fccksetzen...");
  EXPECT_TRUE(device::Reset(ops.context).noMouse);
  EXPECT_TRUE(ops.rig.port.Log().empty());
  EXPECT_TRUE(ops.buttons.entries.empty());
  EXPECT_TRUE(ops.window.storedLevels.empty());
  std::vector<std::string> calls = {"repaint", "status Tasten zur\xc3\xbc" "cksetzen...",
                                    "second line ''"};
  calls.insert(calls.end(), kClosingCalls.begin(), kClosingCalls.end());
  EXPECT_EQ(ops.window.calls, calls);
}

TEST(Reset, WritesEveryItemWhateverFailsAndCountsTheFailures) {
  OperationRig ops;
  sim::SimulatedMouse& mouse = ops.rig.Mouse();
  // Buttons 20 to 22 get no reply: the panel shows one fraction at the
  // start, then one after each button.
  const std::vector<double>& shown = ops.window.fractions;
  ops.window.onFraction = [&](double) { mouse.faults.neverReady = shown.size() >= 21 && shown.size() <= 23; };
  const device::OperationResult result = device::Reset(ops.context);
  EXPECT_EQ(Summary(result), "memory 0, levels 4, names 5, buttons 57, entries 64, values 5, commits 1, failed 3");
  EXPECT_EQ(ops.rig.Requests(), ResetRequests());
  EXPECT_EQ(mouse.settingsCommits, 1);
}

TEST(Reset, StopsAtOnceWhenTheMouseIsUnplugged) {
  OperationRig ops;
  ops.rig.Mouse().Replug();  // counts the requests from here
  ops.rig.Mouse().faults.unplugAfterRequests = 30;
  const device::OperationResult result = device::Reset(ops.context);
  EXPECT_EQ(Summary(result),
            "memory 0, levels 0, names 1, buttons 14, entries 0, values 0, commits 0, failed 1, mouse gone");
  const auto requests = ops.rig.Requests();
  ASSERT_GE(requests.size(), 30u);
  EXPECT_LE(requests.size(), 31u);
  EXPECT_TRUE(ops.window.storedLevels.empty());
  EXPECT_EQ(ops.window.calls.back(), "arrival");
}
