// The connection lifecycle against simulated mice: arrival, rescans, device
// changes with the presence check, and the end of the program.
#include <gtest/gtest.h>

#include <tuple>

#include "ConnectionRig.h"

namespace {

TEST(Arrival, SetsTheWindowUpFromTheFirstMouse) {
  ConnectionRig rig(2);
  std::vector<device::DevicePath> afterArrival;
  rig.connection.AfterArrival = [&](const device::DevicePath& path) {
    EXPECT_TRUE(rig.connection.ArrivalBusy.load()) << "the window's own arrival work runs under the busy flag";
    afterArrival.push_back(path);
  };
  rig.Arrive();
  auto& c = rig.connection;
  EXPECT_EQ(c.CurrentPath.Get(), rig.Path(0));
  EXPECT_EQ(std::make_tuple(c.CurrentIdentity.load(), c.CurrentDpiUnit.load(), c.TopDpiStep.load()),
            std::make_tuple(std::int64_t{0x5A3C0001}, 100, 56));
  EXPECT_EQ(std::make_tuple(c.DeviceReady.load(), c.ArrivalBusy.load(), c.OperationBusy.load(), c.TiltMutexOwned.load()),
            std::make_tuple(true, false, false, true));
  const auto levels = c.LevelSteps.Get();
  EXPECT_EQ(levels[0].x, 5);
  EXPECT_EQ(levels[3].y, 40);
  EXPECT_EQ(rig.view.Calls(), (std::vector<std::string>{"tilt mutex", "arrived"}));
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
  EXPECT_EQ(rig.view.Calls(), (std::vector<std::string>{"arrived, no mouse"}));
  EXPECT_EQ(rig.profiles.ProfileCount(), 0);
}

// The level, the unit and the top step follow what the mouse reports.
TEST(Arrival, TakesTheReportedLevelUnitAndTopStep) {
  struct Case {
    std::uint8_t sensorKind, dpiUnit;
    int reported, shown, top;
  };
  for (const Case& c : {Case{1, 100, 2, 2, 56}, Case{1, 100, 9, 3, 56},  // past the last
                        Case{0, 50, 0, 0, 50}, Case{2, 100, 1, 1, 50}}) {
    sim::MouseConfig config;
    config.sensorKind = c.sensorKind;
    config.dpiUnit = c.dpiUnit;
    ConnectionRig rig(0);
    rig.port.AddMouse(config);
    rig.Mouse().currentLevel = c.reported;
    rig.Arrive();
    EXPECT_EQ(rig.connection.CurrentLevelIndex.load(), c.shown) << c.reported;
    EXPECT_EQ(rig.connection.CurrentDpiUnit.load(), c.dpiUnit);
    EXPECT_EQ(rig.connection.TopDpiStep.load(), c.top);
  }
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
  EXPECT_EQ(rig.view.rescanMs.load(), 0);
}

TEST(Rescan, WaitsWhileAnotherDeviceOperationRuns) {
  ConnectionRig rig;
  rig.connection.OperationBusy = true;
  rig.view.RescanWanted(device::kRescanRetryMs);
  rig.connection.RequestRescan();
  rig.connection.OnRescanTimer();
  EXPECT_FALSE(rig.connection.ArrivalBusy.load());
  EXPECT_EQ(rig.connection.PendingRescans.load(), 1);
  EXPECT_EQ(rig.view.rescanMs.load(), device::kRescanRetryMs);
  EXPECT_TRUE(rig.Requests().empty());

  rig.connection.OperationBusy = false;
  rig.connection.OnRescanTimer();
  ASSERT_TRUE(Eventually([&] { return rig.connection.DeviceReady.load(); }));
  EXPECT_EQ(rig.view.rescanMs.load(), 0);
}

TEST(Rescan, StopsItsTimerWhenNothingIsPending) {
  ConnectionRig rig;
  rig.view.RescanWanted(device::kRescanRetryMs);
  rig.connection.OnRescanTimer();
  EXPECT_EQ(rig.view.rescanMs.load(), 0);
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
  EXPECT_EQ(rig.view.rescanMs.load(), 3000);
  EXPECT_EQ(CountOf(rig.view.Calls(), "lost"), 1);

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

TEST(Shutdown, StopsThePlayersAndHandsTheMiceBackOnlyWithTheTiltMutex) {
  for (bool owned : {true, false}) {
    ConnectionRig rig;
    rig.view.mutexFree = owned;
    rig.Arrive();
    rig.Assign(0, {0x05, 0x83, 0x04, 0x88, 0x0A, 0x84, 0x04});
    rig.gate.freeWaits = 2;
    rig.Buttons(0x01);
    ASSERT_TRUE(Eventually([&] { return rig.gate.blocked.load() == 1; }));
    rig.connection.Shutdown();
    EXPECT_EQ(rig.players.Running(), 0);
    EXPECT_TRUE(rig.Mouse().keysDown.empty());
    EXPECT_EQ(rig.Mouse().released, owned);
  }
}

}  // namespace
