#include "device/DpiLevels.h"

#include <algorithm>
#include <array>

#include "device/DeviceCommands.h"
#include "device/Identification.h"
#include "device/PathSession.h"

namespace device {
namespace {

constexpr int kHighestStep = 56;

std::uint8_t Scaled(std::uint8_t step, std::uint8_t numerator, std::uint8_t denominator) {
  const int divisor = denominator == 0 ? 1 : denominator;
  return static_cast<std::uint8_t>(std::min(255, step * numerator / divisor));
}

int SendInSession(PathSession& session, FeatureReport report) {
  return session.Exchange(report, 1);
}

}  // namespace

int BaseStep(std::uint64_t allowed, int target) {
  int largest = 0;
  for (int step = 1; step <= kHighestStep; ++step) {
    if ((allowed >> step & 1) == 0) continue;
    if (step >= target) return step;
    largest = step;
  }
  return largest;
}

void ReduceFraction(std::uint8_t& numerator, std::uint8_t& denominator) {
  // 0 / 0 is left alone: halving it would never end.
  while (numerator % 2 == 0 && denominator % 2 == 0 && (numerator | denominator) != 0) {
    numerator = static_cast<std::uint8_t>(numerator / 2);
    denominator = static_cast<std::uint8_t>(denominator / 2);
  }
  for (int divisor = 3; divisor <= std::min(numerator, denominator); divisor += 2) {
    if (numerator % divisor == 0 && denominator % divisor == 0) {
      numerator = static_cast<std::uint8_t>(numerator / divisor);
      denominator = static_cast<std::uint8_t>(denominator / divisor);
      divisor = 1;  // start again from 3
    }
  }
}

int ReadLevel(HidLink& link, const DevicePath& path, int level, LevelSteps& steps) {
  steps = LevelSteps{};
  if (path.empty()) return 0;
  std::uint8_t x = 0;
  std::uint8_t y = 0;
  LevelRatio ratio;
  if (!ReadLevelSteps(link, path, level, x, y)) return 0;
  if (!ReadLevelRatio(link, path, level, ratio)) return 0;
  if (y == 0) y = x;
  steps.x = Scaled(x, ratio.xNumerator, ratio.xDenominator);
  steps.y = Scaled(y, ratio.yNumerator, ratio.yDenominator);
  return 1;
}

int WriteLevel(HidLink& link, const DevicePath& path, int level, int x, int y) {
  x = std::clamp(x, 0, 255);
  y = std::clamp(y, 0, 255);
  PathSession session(link, path);
  if (!session.Ok()) return 0;
  std::array<std::uint8_t, kDescriptorBuffer> descriptor{};
  Identification id;
  if (!session.ReadString(kIdentifyIndex, descriptor.data(), descriptor.size()) ||
      !ParseIdentification(descriptor.data(), descriptor.size(), id)) {
    return 0;
  }
  int xBase = BaseStep(id.allowedSteps, x);
  int yBase = BaseStep(id.allowedSteps, y);
  if (id.sensorKind != 1) xBase = yBase = BaseStep(id.allowedSteps, std::max(x, y));
  // An identification that allows no step (a damaged answer) gives base 0,
  // which would leave the pointer dead at this level: nothing is written.
  if (xBase == 0 || yBase == 0) return 0;

  auto xNum = static_cast<std::uint8_t>(x);
  auto xDen = static_cast<std::uint8_t>(xBase);
  auto yNum = static_cast<std::uint8_t>(y);
  auto yDen = static_cast<std::uint8_t>(yBase);
  ReduceFraction(xNum, xDen);
  ReduceFraction(yNum, yDen);

  auto step = [&](int axis, int base) {
    FeatureReport report = MakeRequest(kGroupControl, kCtlSetStep, kTrailer);
    report[3] = static_cast<std::uint8_t>(axis);
    report[4] = static_cast<std::uint8_t>(level);
    report[5] = static_cast<std::uint8_t>(base);
    return SendInSession(session, report);
  };
  auto ratio = [&](int axis, std::uint8_t num, std::uint8_t den) {
    FeatureReport report = MakeRequest(kGroupControl, kCtlSetRatio, kTrailer);
    report[3] = static_cast<std::uint8_t>(axis);
    report[4] = static_cast<std::uint8_t>(level);
    report[5] = num;
    report[6] = den;
    return SendInSession(session, report);
  };
  // All four are sent whatever one of them does; the result says whether
  // the mouse took every one.
  int taken = step(kAxisX, xBase);
  taken &= step(kAxisY, yBase);
  taken &= ratio(kAxisX, xNum, xDen);
  taken &= ratio(kAxisY, yNum, yDen);
  return taken;
}

}  // namespace device
