#include "device/DeviceCommands.h"

#include "device/FeatureReport.h"
#include "device/PathSession.h"

namespace device {
namespace {

FeatureReport Control(std::uint8_t sub) { return MakeRequest(kGroupControl, sub, kTrailer); }

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

// The short reads go over a plain open of their own.
int ByPath(HidLink& link, const DevicePath& path, FeatureReport& report, int settleMs) {
  if (!link.FindDevice(path)) return 0;
  return link.ExchangeFeatureByPath(path, report.data(), report.data(), kFeatureLength, settleMs);
}

int InSession(HidLink& link, const DevicePath& path, FeatureReport& report, int settleMs) {
  PathSession session(link, path);
  return session.Exchange(report, settleMs);
}

}  // namespace

int ReadLevelSteps(HidLink& link, const DevicePath& path, int level, std::uint8_t& x,
                   std::uint8_t& y) {
  FeatureReport report = Control(kCtlReadSteps);
  report[4] = Byte(level);
  if (!ByPath(link, path, report, 2)) return 0;
  x = report[2];
  y = report[3];
  return 1;
}

int ReadLevelRatio(HidLink& link, const DevicePath& path, int level, LevelRatio& ratio) {
  FeatureReport report = Control(kCtlReadRatio);
  report[4] = Byte(level);
  if (!ByPath(link, path, report, 2)) return 0;
  ratio.xNumerator = report[2];
  ratio.xDenominator = report[3];
  ratio.yNumerator = report[4];
  ratio.yDenominator = report[5];
  return 1;
}

int ReadCurrentLevel(HidLink& link, const DevicePath& path) {
  if (path.empty()) return 0;
  FeatureReport report = Control(kCtlReadCurrentLevel);
  if (!ByPath(link, path, report, 2)) return 0;
  return report[2] | (report[3] << 8);
}

int SelectLevel(HidLink& link, const DevicePath& path, int level) {
  FeatureReport report = Control(kCtlSelectLevel);
  report[3] = Byte(level);
  return ByPath(link, path, report, 2);
}

int SetLevelStep(HidLink& link, const DevicePath& path, int axis, int level, std::uint8_t step) {
  FeatureReport report = Control(kCtlSetStep);
  report[3] = Byte(axis);
  report[4] = Byte(level);
  report[5] = step;
  return InSession(link, path, report, 1);
}

int SetLevelRatio(HidLink& link, const DevicePath& path, int axis, int level,
                  std::uint8_t numerator, std::uint8_t denominator) {
  FeatureReport report = Control(kCtlSetRatio);
  report[3] = Byte(axis);
  report[4] = Byte(level);
  report[5] = numerator;
  report[6] = denominator;
  return InSession(link, path, report, 1);
}

int CommitSettings(HidLink& link, const DevicePath& path, int settleMs) {
  FeatureReport report = Control(kCtlCommit);
  return InSession(link, path, report, settleMs);
}

int ReadNameByte(HidLink& link, const DevicePath& path, int profile, int index, bool arrivalBusy,
                 std::uint8_t& value) {
  FeatureReport report = Control(kCtlReadNameByte);
  report[3] = Byte(profile);
  report[4] = Byte(index);
  if (!InSession(link, path, report, arrivalBusy ? 2 : 0)) return 0;
  value = report[2];
  return 1;
}

int WriteNameByte(HidLink& link, const DevicePath& path, int profile, int index,
                  std::uint8_t value) {
  FeatureReport report = Control(kCtlWriteNameByte);
  report[3] = Byte(profile);
  report[4] = Byte(index);
  report[5] = value;
  return InSession(link, path, report, 0);
}

int SetButtonFunction(HidLink& link, const DevicePath& path, int profile, int button,
                      std::uint8_t kind, std::uint16_t code, ButtonFunctionTable* table) {
  if (table != nullptr) table->Record(profile, button, kind, code);
  FeatureReport report = Control(kCtlSetButtonFunction);
  report[3] = Byte(profile);
  report[4] = Byte(DeviceButtonIndex(button));
  report[5] = kind;
  report[6] = Byte(code & 0xFF);
  report[7] = Byte(code >> 8);
  return InSession(link, path, report, 10);
}

int SetProfileValues(HidLink& link, const DevicePath& path, int profile, std::uint8_t a,
                     std::uint8_t b, std::uint8_t c) {
  FeatureReport report = Control(kCtlSetProfileValues);
  report[3] = Byte(profile);
  report[4] = a;
  report[5] = b;
  report[6] = c;
  return InSession(link, path, report, 0);
}

int ReadRegister(HidLink& link, const DevicePath& path, std::uint8_t reg, int settleMs,
                 std::uint8_t& value) {
  FeatureReport report = MakeRequest(kGroupRegister, reg, 0);
  if (!InSession(link, path, report, settleMs)) return 0;
  value = report[2];
  return 1;
}

}  // namespace device
