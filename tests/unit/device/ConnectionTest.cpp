// The connection lifecycle against simulated mice: arrival, rescans, device
// changes with the presence check, and the end of the program.
#include <gtest/gtest.h>

#include "ConnectionRig.h"

namespace {

using device::Page;

TEST(Arrival, SetsTheWindowUpFromTheFirstMouse) {
  ConnectionRig rig(2);
  std::vector<device::DevicePath> afterArrival;
  rig.connection.AfterArrival = [&](const device::DevicePath& path) {
    EXPECT_TRUE(rig.connection.ArrivalBusy.load()) << "the window's own arrival work runs under the busy flag";
    afterArrival.push_back(path);
  };
  rig.Arrive();
  auto& c = rig.connection;
  EXPECT_EQ(c.CurrentIdentity.load(), 0x5A3C0001);
  EXPECT_EQ(c.CurrentPath.Get(), rig.Path(0));
  EXPECT_EQ(c.CurrentDpiUnit.load(), 100);
  EXPECT_EQ(c.TopDpiStep.load(), 56);
  EXPECT_TRUE(c.DeviceReady.load());
  EXPECT_FALSE(c.ArrivalBusy.load());
  EXPECT_FALSE(c.OperationBusy.load());
  EXPECT_TRUE(c.TiltMutexOwned.load());
  const auto levels = c.LevelSteps.Get();
  EXPECT_EQ(levels[0].x, 5);
  EXPECT_EQ(levels[3].y, 40);
  EXPECT_EQ(rig.view.Calls(),
            (std::vector<std::string>{"range 56", "tilt mutex", "dpi on", "y off", "show 5,5",
                                      "timer 1003 1", "repaint"}));
  // Masks of a fresh mouse leave every button to the mouse.
  EXPECT_EQ(CountOf(rig.Requests(0), "str 108"), 1);
  EXPECT_EQ(rig.Mouse(0).maskA, 0xFF);
  EXPECT_EQ(rig.Mouse(0).maskB, 0xFF);
  EXPECT_EQ(rig.profiles.ProfileCount(), 7);
  // The first profile's colour goes as parameters 0, 1 and 2.
  EXPECT_EQ((std::vector<int>(rig.Mouse(0).parameters.begin(), rig.Mouse(0).parameters.begin() + 3)),
            (std::vector<int>{8, 0, 0}));
  EXPECT_EQ(afterArrival, (std::vector<device::DevicePath>{rig.Path(0)}));
}

TEST(Arrival, WithoutAMouseDisablesTheControls) {
  ConnectionRig rig(0);
  rig.Arrive();
  EXPECT_EQ(rig.connection.CurrentIdentity.load(), device::kNoIdentity);
  EXPECT_EQ(rig.connection.CurrentDpiUnit.load(), 0);
  EXPECT_FALSE(rig.connection.DeviceReady.load());
  EXPECT_FALSE(rig.connection.OperationBusy.load());
  EXPECT_EQ(rig.view.Calls(), (std::vector<std::string>{"device off", "dpi off", "repaint full", "repaint"}));
  EXPECT_EQ(rig.profiles.ProfileCount(), 0);
}

TEST(Arrival, UntiesYWhenALevelHasDifferentSteps) {
  ConnectionRig rig;
  rig.Mouse().levels[2].step = {20, 30};
  rig.Mouse().currentLevel = 2;
  rig.Arrive();
  EXPECT_FALSE(rig.view.TieChecked());
  EXPECT_TRUE(rig.view.Called("y on"));
  EXPECT_TRUE(rig.view.Called("show 20,30"));
  EXPECT_EQ(rig.connection.CurrentLevelIndex.load(), 2);
}

TEST(Arrival, KeepsAReportedLevelPastTheLastWithinTheTable) {
  ConnectionRig rig;
  rig.Mouse().currentLevel = 9;
  rig.Arrive();
  EXPECT_EQ(rig.connection.CurrentLevelIndex.load(), 3);
  EXPECT_TRUE(rig.view.Called("show 40,40"));
}

TEST(Arrival, NarrowsTheSlidersForAMouseWithoutTheExtendedRange) {
  sim::MouseConfig config;
  config.sensorKind = 0;
  config.dpiUnit = 50;
  ConnectionRig rig(0);
  rig.port.AddMouse(config);
  rig.Arrive();
  EXPECT_EQ(rig.connection.TopDpiStep.load(), 50);
  EXPECT_EQ(rig.connection.CurrentDpiUnit.load(), 50);
  EXPECT_TRUE(rig.view.Called("range 50"));
}

TEST(Arrival, TriesForTheTiltMutexUntilItIsOwned) {
  ConnectionRig rig;
  rig.view.mutexFree = false;
  rig.Arrive();
  EXPECT_FALSE(rig.connection.TiltMutexOwned.load());
  rig.view.mutexFree = true;
  rig.Arrive();
  EXPECT_TRUE(rig.connection.TiltMutexOwned.load());
  rig.Arrive();
  EXPECT_EQ(CountOf(rig.view.Calls(), "tilt mutex"), 2);
}

TEST(Rescan, TheTimerTickStartsArrivalHalfASecondLater) {
  ConnectionRig rig;
  rig.connection.RequestRescan();
  rig.connection.OnRescanTimer();
  EXPECT_TRUE(rig.connection.OperationBusy.load() || rig.connection.DeviceReady.load());
  EXPECT_EQ(rig.connection.PendingRescans.load(), 0);
  ASSERT_TRUE(Eventually([&] { return !rig.connection.ArrivalBusy.load(); }));
  EXPECT_EQ(rig.connection.CurrentIdentity.load(), 0x5A3C0001);
  EXPECT_EQ(rig.clock.Sleeps().front(), 500000);
  EXPECT_EQ(rig.view.TimerPeriod(device::kRescanTimer), -1);
}

TEST(Rescan, WaitsWhileAnotherDeviceOperationRuns) {
  ConnectionRig rig;
  rig.connection.OperationBusy = true;
  rig.view.StartTimer(device::kRescanTimer, device::kRescanRetryMs);
  rig.connection.RequestRescan();
  rig.connection.OnRescanTimer();
  EXPECT_FALSE(rig.connection.ArrivalBusy.load());
  EXPECT_EQ(rig.connection.PendingRescans.load(), 1);
  EXPECT_EQ(rig.view.TimerPeriod(device::kRescanTimer), device::kRescanRetryMs);
  EXPECT_TRUE(rig.Requests().empty());

  rig.connection.OperationBusy = false;
  rig.connection.OnRescanTimer();
  ASSERT_TRUE(Eventually([&] { return rig.connection.DeviceReady.load(); }));
  EXPECT_EQ(rig.view.TimerPeriod(device::kRescanTimer), -1);
}

TEST(Rescan, StopsItsTimerWhenNothingIsPending) {
  ConnectionRig rig;
  rig.view.StartTimer(device::kRescanTimer, device::kRescanRetryMs);
  rig.connection.OnRescanTimer();
  EXPECT_EQ(rig.view.TimerPeriod(device::kRescanTimer), -1);
  EXPECT_FALSE(rig.connection.ArrivalBusy.load());
}

TEST(DeviceChange, UnplugDuringALoopStopsThePlayerReleasesNothingAndRescans) {
  ConnectionRig rig;
  rig.Arrive();
  // Loop: key 4 down, 10 ms, up, 10 ms.
  rig.Assign(0, {0x05, 0x83, 0x04, 0x88, 0x0A, 0x84, 0x04, 0x88, 0x0A});
  // The second round blocks in its wait while holding key 4.
  rig.gate.freeWaits = 6;
  rig.Forget();
  rig.Buttons(0x01);
  ASSERT_TRUE(Eventually([&] { return rig.gate.blocked.load() == 1; }));
  EXPECT_EQ(rig.Mouse().keysDown.count(4), 1u);

  rig.Mouse().Unplug();
  rig.connection.OnDeviceChange(device::kDevNodesChanged);
  rig.WaitIdle();

  EXPECT_EQ(rig.LiveInput(), (std::vector<std::string>{"down 04", "up 04", "down 04"}));
  EXPECT_EQ(rig.connection.CurrentIdentity.load(), device::kNoIdentity);
  EXPECT_TRUE(rig.connection.CurrentPath.Get().empty());
  EXPECT_EQ(rig.link.DeviceCount(), 0);
  EXPECT_EQ(rig.connection.PendingRescans.load(), 2);
  EXPECT_EQ(rig.view.TimerPeriod(device::kRescanTimer), 3000);

  // The rescan finds the mouse again once it is back.
  rig.Mouse().Replug();
  rig.gate.freeWaits = -1;
  rig.connection.OnRescanTimer();
  ASSERT_TRUE(Eventually([&] { return rig.connection.DeviceReady.load() && !rig.connection.ArrivalBusy.load(); }));
  EXPECT_EQ(rig.connection.CurrentIdentity.load(), 0x5A3C0001);
}

TEST(DeviceChange, KeepsAMouseThatStillAnswersWithItsIdentity) {
  ConnectionRig rig;
  rig.Arrive();
  rig.Forget();
  rig.connection.OnDeviceChange(device::kDevNodesChanged);
  EXPECT_EQ(rig.Requests(), (std::vector<std::string>{"str 251"}));
  EXPECT_EQ(rig.link.DeviceCount(), 1);
  EXPECT_EQ(rig.connection.CurrentIdentity.load(), 0x5A3C0001);
  EXPECT_TRUE(rig.view.Calls().empty());
}

TEST(DeviceChange, ForgetsAMouseThatAnswersWithAnotherIdentity) {
  ConnectionRig rig;
  rig.Arrive();
  rig.Mouse().config.identity = 0x01020304;
  rig.connection.OnDeviceChange(device::kDevNodesChanged);
  EXPECT_EQ(rig.link.DeviceCount(), 0);
  EXPECT_EQ(rig.connection.CurrentIdentity.load(), device::kNoIdentity);
  EXPECT_EQ(rig.port.OpenHandles(), 0);
}

TEST(DeviceChange, OtherEventsAndChangesDuringArrivalAreLeftAlone) {
  ConnectionRig rig;
  rig.Arrive();
  rig.Mouse().Unplug();
  rig.Forget();
  rig.connection.OnDeviceChange(0x8000);
  rig.connection.ArrivalBusy = true;
  rig.connection.OnDeviceChange(device::kDevNodesChanged);
  EXPECT_TRUE(rig.Requests().empty());
  EXPECT_EQ(rig.link.DeviceCount(), 1);
  rig.connection.ArrivalBusy = false;
}

TEST(Shutdown, StopsThePlayersAndHandsTheMiceBack) {
  ConnectionRig rig;
  rig.Arrive();
  rig.Assign(0, {0x05, 0x83, 0x04, 0x88, 0x0A, 0x84, 0x04});
  rig.gate.freeWaits = 2;
  rig.Buttons(0x01);
  ASSERT_TRUE(Eventually([&] { return rig.gate.blocked.load() == 1; }));
  rig.connection.Shutdown();
  EXPECT_EQ(rig.players.Running(), 0);
  EXPECT_TRUE(rig.Mouse().keysDown.empty());
  EXPECT_TRUE(rig.Mouse().released);
}

TEST(Shutdown, LeavesTheMiceAloneWithoutTheTiltMutex) {
  ConnectionRig rig;
  rig.view.mutexFree = false;
  rig.Arrive();
  rig.connection.Shutdown();
  EXPECT_FALSE(rig.Mouse().released);
}

}  // namespace
