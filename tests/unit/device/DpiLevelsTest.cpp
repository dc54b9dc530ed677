#include <gtest/gtest.h>

#include "device/DpiLevels.h"
#include "unit/device/SimRig.h"

namespace {

std::uint64_t Steps(std::initializer_list<int> steps) {
  std::uint64_t mask = 0;
  for (int s : steps) mask |= std::uint64_t{1} << s;
  return mask;
}

sim::MouseConfig WithSteps(std::uint8_t sensorKind, std::initializer_list<int> steps) {
  sim::MouseConfig config;
  config.sensorKind = sensorKind;
  config.allowedSteps = Steps(steps);
  return config;
}

}  // namespace

TEST(BaseStep, TakesTheSmallestAllowedStepNotBelowTheTarget) {
  const auto allowed = Steps({4, 8, 16, 32});
  EXPECT_EQ(device::BaseStep(allowed, 12), 16);
  EXPECT_EQ(device::BaseStep(allowed, 16), 16);
  EXPECT_EQ(device::BaseStep(allowed, 1), 4);
  EXPECT_EQ(device::BaseStep(allowed, 40), 32);  // none high enough: the largest
  EXPECT_EQ(device::BaseStep(0, 12), 0);
  EXPECT_EQ(device::BaseStep(Steps({56}), 56), 56);
}

TEST(ReduceFraction, BringsPairsToLowestTerms) {
  struct Case {
    int n, d, rn, rd;
  };
  for (const Case& c :
       {Case{12, 16, 3, 4}, Case{4, 32, 1, 8}, Case{30, 32, 15, 16}, Case{45, 75, 3, 5},
        Case{49, 56, 7, 8}, Case{9, 27, 1, 3}, Case{7, 7, 1, 1}, Case{0, 16, 0, 1},
        Case{0, 0, 0, 0}, Case{13, 0, 13, 0}, Case{225, 255, 15, 17}}) {
    auto n = static_cast<std::uint8_t>(c.n);
    auto d = static_cast<std::uint8_t>(c.d);
    device::ReduceFraction(n, d);
    EXPECT_EQ(n, c.rn) << c.n << "/" << c.d;
    EXPECT_EQ(d, c.rd) << c.n << "/" << c.d;
  }
}

TEST(WriteLevel, GivesBothAxesTheBaseOfTheLargerStepUnlessTheSensorAllowsTwo) {
  SimRig single(1, WithSteps(0, {4, 8, 16, 32}));
  ASSERT_EQ(device::WriteLevel(single.link, single.Path(), 0, 4, 30), 1);
  EXPECT_EQ(single.Requests(),
            (std::vector<std::string>{"str 250", "set 01 83 00 00 20 00 00 12",
                                      "set 01 83 01 00 20 00 00 12", "set 01 84 00 00 01 08 00 12",
                                      "set 01 84 01 00 0F 10 00 12"}));
  device::LevelSteps steps;
  ASSERT_EQ(device::ReadLevel(single.link, single.Path(), 0, steps), 1);
  EXPECT_EQ(steps.x, 4);
  EXPECT_EQ(steps.y, 30);

  SimRig dual(1, WithSteps(1, {4, 8, 16, 32}));
  ASSERT_EQ(device::WriteLevel(dual.link, dual.Path(), 0, 4, 30), 1);
  EXPECT_EQ(dual.Mouse().levels[0].step, (std::array<std::uint8_t, 2>{4, 32}));
}

TEST(WriteLevel, WritesNothingWhenTheIdentificationAllowsNoStep) {
  SimRig rig(1, WithSteps(1, {}));
  rig.Mouse().levels[2].step = {12, 12};
  EXPECT_EQ(device::WriteLevel(rig.link, rig.Path(), 2, 8, 8), 0);
  EXPECT_EQ(rig.Requests(), std::vector<std::string>{"str 250"});
  EXPECT_EQ(rig.Mouse().levels[2].step, (std::array<std::uint8_t, 2>{12, 12}));
}

TEST(WriteLevel, ReachesEveryStepFromOneToTheTopThroughReadLevel) {
  SimRig rig(1, WithSteps(1, {5, 9, 14, 23, 40, 56}));
  for (int step = 1; step <= 56; ++step) {
    ASSERT_EQ(device::WriteLevel(rig.link, rig.Path(), 3, step, 57 - step), 1);
    device::LevelSteps steps;
    ASSERT_EQ(device::ReadLevel(rig.link, rig.Path(), 3, steps), 1);
    EXPECT_EQ(steps.x, step);
    EXPECT_EQ(steps.y, 57 - step);
  }
}

TEST(ReadLevel, CountsADenominatorOfZeroAsOneAndIsZeroWithoutAMouseOrWhenAReadFails) {
  SimRig rig;
  auto& level = rig.Mouse().levels[2];
  level.step = {10, 10};
  level.numerator = {3, 1};
  level.denominator = {0, 2};
  device::LevelSteps steps;
  ASSERT_EQ(device::ReadLevel(rig.link, rig.Path(), 2, steps), 1);
  EXPECT_EQ(steps.x, 30);
  EXPECT_EQ(steps.y, 5);

  rig.Forget();
  EXPECT_EQ(device::ReadLevel(rig.link, u"", 0, steps), 0);
  EXPECT_EQ(steps.x + steps.y, 0);
  EXPECT_TRUE(rig.Requests().empty());
  rig.Mouse().faults.unplugAfterRequests = rig.Mouse().RequestsServed() + 1;
  steps = {9, 9};
  EXPECT_EQ(device::ReadLevel(rig.link, rig.Path(), 2, steps), 0);
  EXPECT_EQ(steps.x + steps.y, 0);
}
