#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "device/Discovery.h"
#include "device/FeatureReport.h"
#include "device/HidLink.h"
#include "device/Identification.h"
#include "device/LiveInput.h"
#include "sim/SimulatedHidPort.h"
#include "sim/SimulatedMouse.h"
#include "sim/VirtualClock.h"

namespace {

device::FeatureReport Reply(sim::SimulatedMouse& mouse, const device::FeatureReport& request) {
  EXPECT_TRUE(mouse.WriteFeature(request.data(), request.size()));
  device::FeatureReport reply{};
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

TEST(SimulatedMouse, ShowsIdleThenFlagsItsReplyReadyUntilTheNextRequest) {
  sim::SimulatedMouse mouse;
  device::FeatureReport status{};
  ASSERT_TRUE(mouse.ReadFeature(status.data(), status.size()));
  EXPECT_EQ(status[1], 0x00);
  mouse.registers[0x01] = 0x42;
  const auto reply = Reply(mouse, device::MakeRequest(device::kGroupRegister, 0x01, 0));
  EXPECT_EQ(reply[1], device::kStatusReady | device::kGroupRegister);
  EXPECT_EQ(reply[2], 0x42);
  ASSERT_TRUE(mouse.ReadFeature(status.data(), status.size()));
  EXPECT_EQ(status, reply);
}

TEST(SimulatedMouse, RefusesLiveInputWithAWrongCheckByte) {
  sim::SimulatedMouse mouse;
  auto request = device::LiveInputRequest(device::kLiveKeyDown, 0x04, 0);
  request[8] ^= 0x01;
  EXPECT_EQ(Reply(mouse, request)[3], 0x00);
  EXPECT_TRUE(mouse.keysDown.empty());
  request[8] ^= 0x01;
  EXPECT_EQ(Reply(mouse, request)[3], device::kLiveInputAck);
  EXPECT_EQ(mouse.keysDown.count(0x04), 1u);
}

TEST(SimulatedMouse, DecodesValuesFromNibblesAndLatchesThemOnIdentify) {
  sim::SimulatedMouse mouse;
  ASSERT_TRUE(Strings(mouse, {76, 70, 77, 63, 250, 108}));
  EXPECT_EQ(mouse.maskA, 0x3A);
  // A new value starts from zero, so a small value after a large one is not mixed.
  ASSERT_TRUE(Strings(mouse, {76, 65, 250, 109}));
  EXPECT_EQ(mouse.maskB, 0x05);
  ASSERT_TRUE(Strings(mouse, {76, 62, 250, 98}));
  EXPECT_EQ(mouse.parameters[2], 8);
  EXPECT_FALSE(Strings(mouse, {99}));
  EXPECT_FALSE(Strings(mouse, {30}));
}

TEST(SimulatedMouse, TakesANumberOnlyAfterPrepare) {
  sim::SimulatedMouse mouse;
  ASSERT_TRUE(Strings(mouse, {35}));
  EXPECT_EQ(mouse.deviceNumber, 0);
  ASSERT_TRUE(Strings(mouse, {50, 250, 35}));
  EXPECT_EQ(mouse.deviceNumber, 5);
  ASSERT_TRUE(Strings(mouse, {36}));
  EXPECT_EQ(mouse.deviceNumber, 5);
}

TEST(SimulatedMouse, IdentifiesItselfInTheLayoutTheLinkParses) {
  sim::MouseConfig config;
  config.sensorKind = 0;
  config.dpiUnit = 50;
  config.allowedSteps =
      (std::uint64_t{1} << 1) | (std::uint64_t{1} << 9) | (std::uint64_t{1} << 56);
  config.infoText = u"info";
  sim::SimulatedMouse mouse(config);
  std::array<std::uint8_t, 512> buffer{};
  ASSERT_TRUE(mouse.ReadString(250, buffer.data(), buffer.size()));
  device::Identification id;
  ASSERT_TRUE(device::ParseIdentification(buffer.data(), buffer.size(), id));
  EXPECT_EQ(id.maker, u"Calvex");
  EXPECT_EQ(id.sensorKind, 0);
  EXPECT_EQ(id.dpiUnit, 50);
  EXPECT_EQ(id.allowedSteps, config.allowedSteps);
  EXPECT_EQ(id.infoText, u"info");
  EXPECT_EQ(buffer[18], 0x01);
  EXPECT_EQ(buffer[19], 0x01);
  EXPECT_EQ(buffer[24], 0x80);
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

TEST(SimulatedHidPort, AnUnpluggedMouseVanishesFromTheListAndFailsItsHandles) {
  sim::SimulatedHidPort port;
  port.AddMouse();
  port.Mouse(0).faults.unplugAfterRequests = 1;
  const auto handle = port.Open(port.ConfigPath(0), device::OverlappedOpen());
  std::array<std::uint8_t, 512> buffer{};
  EXPECT_TRUE(port.GetIndexedString(handle, 250, buffer.data(), buffer.size()));
  EXPECT_FALSE(port.GetIndexedString(handle, 250, buffer.data(), buffer.size()));
  device::FeatureReport report{};
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
  device::FeatureReport report = device::MakeRequest(device::kGroupRegister, 0, 0);
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
  port.Unplug(0);
  EXPECT_EQ(device::SetButtons(link, path, 1, 0), 0);
  port.Replug(0);
  EXPECT_EQ(device::SetButtons(link, path, 1, 0), 1);
}
