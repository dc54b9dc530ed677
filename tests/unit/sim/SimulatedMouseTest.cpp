#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "device/Discovery.h"
#include "device/HidLink.h"
#include "device/LiveInput.h"
#include "sim/SimulatedHidPort.h"
#include "sim/SimulatedMouse.h"
#include "sim/VirtualClock.h"

// The firmware is checked against literal bytes, never against the host's
// constants, so the two sides cannot agree on a mistake.
namespace {

using Report = sim::Report;

Report Reply(sim::SimulatedMouse& mouse, const Report& request) {
  EXPECT_TRUE(mouse.WriteFeature(request.data(), request.size()));
  Report reply{};
  EXPECT_TRUE(mouse.ReadFeature(reply.data(), reply.size()));
  return reply;
}

bool Strings(sim::SimulatedMouse& mouse, std::initializer_list<int> indices) {
  std::array<std::uint8_t, 128> buffer{};
  bool ok = true;
  for (int index : indices) ok = mouse.ReadString(index, buffer.data(), buffer.size()) && ok;
  return ok;
}

}  // namespace

TEST(SimulatedMouse, RefusesAndReportsRequestsThatBreakTheFrame) {
  struct Case {
    Report request;
    const char* error;
  };
  const std::vector<Case> cases = {
      {{0, 0x01, 0x83, 0, 1, 9, 0, 0, 0x13}, "01 83: byte 8 is 13, trailer must be 12"},
      {{0, 0x01, 0x83, 0, 1, 9, 0, 5, 0x12}, "01 83: byte 7 is 05, must be 00"},
      {{0, 0x01, 0x03, 1, 1, 0, 0, 0, 0x12}, "01 03: byte 3 is 01, must be 00"},
      {{0, 0x01, 0x05, 0, 0, 0, 0, 0, 0x12}, "01 05: unknown command"},
      {{0, 0x03, 0x00, 0, 0, 0, 0, 0, 0x12}, "03 00: unknown command"},
      {{0, 0x02, 0x01, 0x00, 0x09, 0, 0x77, 0, 0x00}, "02 01: byte 8 is 00, trailer must be 12"},
      {{0, 0x02, 0x01, 0x00, 0x09, 1, 0x77, 0, 0x12}, "02 01: byte 5 is 01, must be 00"},
      {{0, 0x02, 0x09, 0xAA, 0xBB, 0xCC, 0, 0, 0x12}, "02 09: byte 5 is CC, must be 00"},
      {{0, 0x08, 0x20, 0, 0, 0, 0, 0, 0x12}, "08 20: byte 8 is 12, must be 00"},
      {{0, 0x09, 0x00, 0x1B, 0, 0, 0, 0, 0}, "09 00: byte 3 is 1B, must be 1A"},
      {{0, 0x0D, 0x01, 0x04, 0, 0, 0, 0, 0x09}, "0D 01: byte 8 is 09, check byte must be 08"},
      {{0, 0x0D, 0x01, 0x04, 0x01, 0, 0, 0, 0x09}, "0D 01: byte 4 is 01, must be 00"},
      {{7, 0x01, 0x02, 0, 0, 0, 0, 0, 0x12}, "01 02: byte 0 is 07, must be 00"},
  };
  for (const auto& c : cases) {
    sim::SimulatedMouse mouse;
    const auto levels = mouse.levels;
    const auto reply = Reply(mouse, c.request);
    EXPECT_EQ(mouse.protocolErrors, std::vector<std::string>{c.error});
    EXPECT_EQ(reply[1] & 0xC0, 0x40) << c.error;  // answered, so the host does not hang
    EXPECT_EQ(reply[3], 0x00) << c.error;         // and not acknowledged
    EXPECT_EQ(mouse.levels[1].step, levels[1].step) << c.error;
    EXPECT_EQ(mouse.memory[0x0900], 0xFF) << c.error;
    EXPECT_TRUE(mouse.keysDown.empty()) << c.error;
  }
}

TEST(SimulatedMouse, StaysBusyWhileItsMemoryIsProgrammed) {
  struct Case {
    Report request;
    std::int64_t programUs;
  };
  // One byte written directly, a staged commit of 12 to 31 bytes, a page commit.
  std::vector<Case> cases = {{{0, 0x02, 0x01, 0x00, 0x10, 0, 0x5A, 0, 0x12}, 1000},
                             {{0, 0x02, 0x0A, 0x00, 0x10, 0, 0, 0, 0x12}, 5000}};
  for (auto [count, us] : {std::pair{12, 1000}, {13, 3000}, {18, 3000}, {19, 6000}, {24, 6000},
                           {25, 9000}, {30, 9000}, {31, 10000}}) {
    cases.push_back({{0, 0x02, 0x04, 0x00, 0x10, 0, static_cast<std::uint8_t>(count), 0, 0x12}, us});
  }
  for (const auto& c : cases) {
    sim::SimulatedMouse mouse;
    mouse.AdvanceTo(1000000);
    ASSERT_TRUE(mouse.WriteFeature(c.request.data(), c.request.size()));
    Report status{};
    mouse.AdvanceTo(1000000 + c.programUs - 1);
    ASSERT_TRUE(mouse.ReadFeature(status.data(), status.size()));
    EXPECT_EQ(status[1], 0x80) << c.programUs;
    mouse.AdvanceTo(1000000 + c.programUs);
    ASSERT_TRUE(mouse.ReadFeature(status.data(), status.size()));
    EXPECT_EQ(status[1], 0x42) << c.programUs;
  }
}

TEST(SimulatedMouse, ReportsSideCommandsOutOfSequence) {
  sim::SimulatedMouse mouse;
  EXPECT_FALSE(Strings(mouse, {65}));               // no half marker before the nibble
  EXPECT_FALSE(Strings(mouse, {250, 109}));         // Identify with no value sent
  EXPECT_FALSE(Strings(mouse, {76, 65, 108}));      // no Identify to latch the value
  EXPECT_FALSE(Strings(mouse, {76, 65, 250, 51, 92}));  // something came between
  EXPECT_FALSE(Strings(mouse, {36}));               // a number without Prepare
  EXPECT_FALSE(Strings(mouse, {50, 250, 35, 36}));  // Prepare is used up
  EXPECT_FALSE(Strings(mouse, {99}));
  EXPECT_FALSE(Strings(mouse, {30}));
  EXPECT_EQ(mouse.protocolErrors,
            (std::vector<std::string>{
                "str 65: nibble without a half marker", "str 109: no value latched by Identify",
                "str 108: no value latched by Identify", "str 92: no value latched by Identify",
                "str 36: number without Prepare", "str 36: number without Prepare",
                "str 99: unknown side command", "str 30: unknown side command"}));
  EXPECT_EQ(mouse.maskA, 0);
  EXPECT_EQ(mouse.maskB, 0);
  EXPECT_EQ(mouse.parameters[5], -1);
  EXPECT_EQ(mouse.deviceNumber, 5);
}

TEST(SimulatedMouse, IdentifiesItselfInTheDescriptorLayout) {
  sim::MouseConfig config;
  config.sensorKind = 0;
  config.dpiUnit = 50;
  config.allowedSteps =
      (std::uint64_t{1} << 1) | (std::uint64_t{1} << 10) | (std::uint64_t{1} << 56);
  config.infoText = u"in";
  sim::SimulatedMouse mouse(config);
  std::array<std::uint8_t, 512> buffer{};
  ASSERT_TRUE(mouse.ReadString(250, buffer.data(), buffer.size()));
  const std::array<std::uint8_t, 34> head = {
      'C', 0, 'a', 0, 'l', 0, 'v', 0, 'e', 0, 'x', 0, 0, 0,  // maker, terminated
      0x21, 0x03, 0, 50,                                    // information bytes 14 to 17
      0x01, 0x02, 0, 0, 0, 0, 0x80, 0, 0, 0,                // steps 1, 10 and 56
      'i', 0, 'n', 0, 0, 0};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), buffer.begin()));
}

TEST(SimulatedMouse, ReportsButtonsWheelTiltAndLevelChangesWithItsNumber) {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port(&clock);
  port.AddMouse();
  device::HidLink link(port, clock);
  device::Discover(link);
  auto& mouse = port.Mouse(0);
  EXPECT_EQ(mouse.InputReport(0x8003, -1, 2),
            (sim::NotificationReport{5, 0x0A, 0xFF, 0x02, 0x03, 0x80, 0x00, 0x02}));
  EXPECT_EQ(mouse.LevelChangeReport(3), (sim::NotificationReport{5, 0x0D, 3, 0, 0, 0, 0, 2}));
  EXPECT_EQ(mouse.currentLevel, 3);
  EXPECT_EQ(mouse.IdleReport()[1], 0x0B);
}

TEST(SimulatedMouse, FailsForEverFromTheRequestItIsToldOf) {
  // Three requests that set level 1's X step to 7, 8 and 9; the fault starts at the second.
  auto setStep = [](std::uint8_t step) { return Report{0, 0x01, 0x83, 0, 1, step, 0, 0, 0x12}; };
  const std::array<std::uint8_t, 3> steps = {7, 8, 9};
  enum class Fault { kBusy, kNeverReady, kGarbage };
  for (const Fault fault : {Fault::kBusy, Fault::kNeverReady, Fault::kGarbage}) {
    sim::SimulatedMouse mouse;
    (fault == Fault::kBusy         ? mouse.faults.busyFromRequest
     : fault == Fault::kNeverReady ? mouse.faults.neverReadyFromRequest
                                   : mouse.faults.garbageFromRequest) = 1;
    EXPECT_EQ(Reply(mouse, setStep(steps[0])), (Report{0, 0x41, 0x83, 0, 0, 0, 0, 0, 0}));
    for (std::size_t i = 1; i < steps.size(); ++i) {
      const Report request = setStep(steps[i]);
      const bool taken = mouse.WriteFeature(request.data(), request.size());
      Report reply{};
      EXPECT_TRUE(mouse.ReadFeature(reply.data(), reply.size()));
      switch (fault) {
        case Fault::kBusy:
          EXPECT_FALSE(taken);
          EXPECT_EQ(reply, (Report{0, 0x80, 0, 0, 0, 0, 0, 0, 0}));
          EXPECT_EQ(mouse.levels[1].step[0], 7);
          break;
        case Fault::kNeverReady:
          EXPECT_TRUE(taken);
          EXPECT_EQ(reply, Report{});
          EXPECT_EQ(mouse.levels[1].step[0], steps[i]);
          break;
        case Fault::kGarbage:
          EXPECT_TRUE(taken);
          EXPECT_EQ(reply[1] & 0xC0, 0x40);
          EXPECT_NE(reply, (Report{0, 0x41, 0x83, 0, 0, 0, 0, 0, 0}));
          EXPECT_EQ(mouse.levels[1].step[0], steps[i]);
          break;
      }
    }
    std::array<std::uint8_t, 64> identification{};
    EXPECT_TRUE(mouse.ReadString(250, identification.data(), identification.size()));
    EXPECT_EQ(identification[0] == 'C' && identification[2] == 'a', fault != Fault::kGarbage);
    EXPECT_EQ(mouse.RequestsServed(), 4);
  }
}

TEST(SimulatedHidPort, AnUnpluggedMouseVanishesFromTheListAndFailsItsHandles) {
  sim::SimulatedHidPort port;
  port.AddMouse();
  port.Mouse(0).faults.unplugAfterRequests = 1;
  const auto handle = port.Open(port.ConfigPath(0), device::OverlappedOpen());
  std::array<std::uint8_t, 512> buffer{};
  EXPECT_TRUE(port.GetIndexedString(handle, 250, buffer.data(), buffer.size()));
  EXPECT_FALSE(port.GetIndexedString(handle, 250, buffer.data(), buffer.size()));
  sim::Report report{};
  EXPECT_FALSE(port.GetFeature(handle, report.data(), report.size()));
  std::vector<device::DevicePath> paths;
  ASSERT_TRUE(port.EnumerateInterfaces(paths));
  EXPECT_TRUE(paths.empty());
  EXPECT_EQ(port.Open(port.ConfigPath(0), device::OverlappedOpen()), device::kNoHandle);
  port.Close(handle);
  port.Mouse(0).Replug();
  ASSERT_TRUE(port.EnumerateInterfaces(paths));
  EXPECT_EQ(paths.size(), 1u);
}

TEST(SimulatedHidPort, SpendsTheLatencyOnEveryFeatureTransfer) {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port(&clock);
  port.AddMouse();
  port.Mouse(0).faults.transferLatencyUs = 1000;
  device::HidLink link(port, clock);
  const auto handle = port.Open(port.ConfigPath(0), device::OverlappedOpen());
  sim::Report report = {0, 0x08, 0x00, 0, 0, 0, 0, 0, 0};
  ASSERT_EQ(link.ExchangeFeature(handle, report.data(), report.data(), 9, 0), 1);
  EXPECT_EQ(clock.NowMicroseconds(), 3000);
  port.Close(handle);
}

TEST(SimulatedHidPort, RefusesFeatureBuffersShorterThanTheReport) {
  sim::SimulatedHidPort port;
  port.AddMouse();
  const auto handle = port.Open(port.ConfigPath(0), device::OverlappedOpen());
  std::array<std::uint8_t, 8> shortBuffer{};
  EXPECT_FALSE(port.GetFeature(handle, shortBuffer.data(), shortBuffer.size()));
  EXPECT_FALSE(port.SetFeature(handle, shortBuffer.data(), shortBuffer.size()));
  port.Close(handle);
  EXPECT_EQ(port.OpenHandles(), 0);
}

TEST(SimulatedHidPort, HandsOutReportsWhileAnotherThreadTalksToTheMouse) {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port(&clock);
  port.AddMouse();
  device::HidLink link(port, clock);
  device::Discover(link);
  const auto path = port.ConfigPath(0);
  std::thread talker([&] {
    for (int i = 0; i < 200; ++i) device::SetButtons(link, path, 1, 0);
  });
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(port.InputReport(0, 0x0001)[7], 2);
    EXPECT_EQ(port.LevelChangeReport(0, i % 4)[2], i % 4);
  }
  talker.join();
}
