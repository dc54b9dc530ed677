// The decision that lets the software profile follow the program in front,
// step by step through tables: each step is an input and the switch it asks
// for. Then the whole path on the simulated mouse through the session.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/MouseSession.h"
#include "app/ProfileFollower.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"
#include "support/TempFolder.h"
#include "support/QuietPlatform.h"

namespace {

enum class Input { kFront, kBusyFront, kBusyCleared, kButton };

struct Step {
  Input input;
  const char16_t* program;  // kFront, kBusyFront
  int current;
  int expected;
};

ProfileRules GameRules(int noMatch) {
  ProfileRules rules;
  rules.Set(u"game.exe", 3);
  rules.Set(u"C:\\Tools\\edit.exe", 5);
  rules.SetNoMatch(noMatch);
  return rules;
}

void Walk(int noMatch, std::initializer_list<Step> steps) {
  ProfileFollower follower;
  follower.SetRules(GameRules(noMatch));
  int index = 0;
  for (const Step& step : steps) {
    int got = kNoSwitch;
    switch (step.input) {
      case Input::kFront:
      case Input::kBusyFront:
        got = follower.OnForegroundChange(ProgramAt(step.program), step.current, step.input == Input::kBusyFront);
        break;
      case Input::kBusyCleared:
        got = follower.OnBusyCleared(step.current);
        break;
      case Input::kButton:
        follower.OnProfileButton();
        break;
    }
    EXPECT_EQ(got, step.expected) << "step " << index;
    ++index;
  }
}

constexpr int kNo = kNoSwitch;

TEST(ProfileFollower, ARuleSwitchesAndStayKeepsTheProfileElsewhere) {
  Walk(kStayOnNoMatch, {
                           {Input::kFront, u"C:\\Games\\Game.exe", 0, 3},
                           {Input::kFront, u"C:\\Web\\browser.exe", 3, kNo},
                           {Input::kFront, u"C:\\Tools\\edit.exe", 3, 5},
                           {Input::kFront, u"C:\\Other\\edit.exe", 5, kNo},
                           {Input::kFront, u"D:\\game.exe", 3, kNo},
                       });
}

TEST(ProfileFollower, ANoMatchProfileTakesOverWhereNoRuleApplies) {
  Walk(1, {
              {Input::kFront, u"C:\\Games\\game.exe", 0, 3},
              {Input::kFront, u"C:\\Web\\browser.exe", 3, 1},
              {Input::kFront, u"C:\\Web\\mail.exe", 1, kNo},
          });
}

TEST(ProfileFollower, WhileBusyTheLatestProgramWaitsForTheFlagsToClear) {
  Walk(kStayOnNoMatch, {
                           {Input::kBusyFront, u"C:\\Games\\game.exe", 0, kNo},
                           {Input::kBusyFront, u"C:\\Tools\\edit.exe", 0, kNo},
                           {Input::kBusyCleared, nullptr, 0, 5},
                           {Input::kBusyCleared, nullptr, 0, kNo},
                           {Input::kBusyFront, u"C:\\Games\\game.exe", 5, kNo},
                           {Input::kFront, u"C:\\Games\\game.exe", 5, 3},
                       });
}

TEST(ProfileFollower, TheProfileButtonWinsUntilTheNextForegroundChange) {
  Walk(kStayOnNoMatch, {
                           {Input::kFront, u"C:\\Games\\game.exe", 0, 3},
                           {Input::kButton, nullptr, 4, kNo},
                           {Input::kFront, u"C:\\Games\\game.exe", 4, kNo},
                           {Input::kBusyFront, u"C:\\Tools\\edit.exe", 4, kNo},
                           {Input::kButton, nullptr, 5, kNo},
                           {Input::kBusyCleared, nullptr, 5, kNo},
                           {Input::kFront, u"C:\\Games\\game.exe", 5, 3},
                       });
}

template <typename Done>
bool Eventually(Done done) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

TEST(ProfileFollowing, TheMouseGetsTheMasksOfTheRulesProfileOnlyOnceTheArrivalIsOver) {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  port.AddMouse(sim::MouseConfig{});
  device::HidLink link{port, clock};
  IgnoredConnectionEvents events;
  NoHostInput host;
  NoSlotTimers timers;
  TiltAccumulator tilt;
  TempFolder folder;
  MacroLibrary library;
  const std::uint32_t id = library.AddEntry(u"m", false, 0, 0, {}).id;
  library.devices[port.Mouse(0).config.identity].rows[3][0] = id;
  MouseSession session({link, events, host, timers, tilt, [] {}, [] {}}, library, folder / "macro.dat", u"Mode");
  session.SetProfileRules(GameRules(kStayOnNoMatch));

  // Before any mouse the change waits; the arrival's end applies it.
  session.FollowForeground(u"C:\\Games\\game.exe");
  session.Start();
  session.OnRescanTick();
  ASSERT_TRUE(Eventually([&] { return session.Profiles().CurrentSoftwareProfile() == 3; }));
  // Stay, and the current profile again, send nothing.
  session.FollowForeground(u"C:\\Web\\browser.exe");
  session.FollowForeground(u"C:\\Games\\GAME.EXE");
  session.Finish([] {});
  EXPECT_EQ(port.Mouse(0).maskA, 0xFE);
  const std::vector<std::string> requests = port.Requests(0);
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "str 108"), 2) << "the arrival's masks, then the rule's";
  EXPECT_EQ(port.ProtocolErrors(), std::vector<std::string>{});
}

}  // namespace
