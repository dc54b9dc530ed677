#include "sim/SimulatedMouse.h"

#include <algorithm>
#include <cstring>

#include "device/DeviceCommands.h"
#include "device/Discovery.h"
#include "device/Identification.h"
#include "device/LiveInput.h"
#include "device/MemoryImage.h"
#include "device/SideCommands.h"

namespace sim {

using device::FeatureReport;

namespace {

void PutWide(std::uint8_t* buffer, std::size_t size, std::size_t offset,
             const std::u16string& text) {
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char16_t c = i < text.size() ? text[i] : u'\0';
    if (offset + 2 * i + 1 >= size) return;
    buffer[offset + 2 * i] = static_cast<std::uint8_t>(c & 0xFF);
    buffer[offset + 2 * i + 1] = static_cast<std::uint8_t>(c >> 8);
  }
}

}  // namespace

SimulatedMouse::SimulatedMouse(MouseConfig mouseConfig) : config(std::move(mouseConfig)) {
  const std::uint8_t defaults[kLevels] = {5, 10, 20, 40};
  for (int i = 0; i < kLevels; ++i) levels[i].step = {defaults[i], defaults[i]};
  parameters.fill(-1);
  memory.fill(0xFF);
}

bool SimulatedMouse::TakeRequest() {
  if (!plugged_) return false;
  if (faults.unplugAfterRequests >= 0 && requestsServed_ >= faults.unplugAfterRequests) {
    plugged_ = false;
    return false;
  }
  ++requestsServed_;
  return true;
}

bool SimulatedMouse::ReadFeature(std::uint8_t* buffer, std::size_t length) {
  if (!plugged_ || length < device::kFeatureLength) return false;
  std::fill(buffer, buffer + length, 0);
  if (faults.alwaysBusy || busyReads_ > 0) {
    if (busyReads_ > 0) --busyReads_;
    buffer[1] = device::kStatusBusy;
    return true;
  }
  if (replyReady_ && !faults.neverReady) std::copy(reply_.begin(), reply_.end(), buffer);
  return true;
}

bool SimulatedMouse::WriteFeature(const std::uint8_t* buffer, std::size_t length) {
  if (length < device::kFeatureLength || !TakeRequest()) return false;
  if (faults.alwaysBusy) return false;  // a busy mouse does not take requests
  FeatureReport request{};
  std::copy(buffer, buffer + device::kFeatureLength, request.begin());
  Answer(request);
  busyReads_ = faults.busyReadsPerRequest;
  return true;
}

void SimulatedMouse::Answer(const FeatureReport& request) {
  FeatureReport reply{};
  const std::uint8_t group = request[1];
  reply[1] = static_cast<std::uint8_t>(device::kStatusReady | (group & 0x3F));
  reply[2] = request[2];
  switch (group) {
    case device::kGroupControl:
      Control(request, reply);
      break;
    case device::kGroupMemory:
      Memory(request, reply);
      break;
    case device::kGroupRegister:
      reply[2] = registers[request[2]];
      break;
    case device::kGroupProbe:
      reply[2] = 0;
      if (request[2] == 0 && request[3] == 0x1A) {
        reply[2] = faults.wrongIdentity ? 0x00 : config.probeAnswer;
      }
      break;
    case device::kGroupLiveInput:
      LiveInput(request, reply);
      break;
    default:
      break;
  }
  reply_ = reply;
  replyReady_ = true;
}

void SimulatedMouse::Control(const FeatureReport& request, FeatureReport& reply) {
  const int b3 = request[3];
  const int b4 = request[4];
  const bool levelOk = b4 < kLevels;
  const bool axisOk = b3 <= 1;
  const bool profileOk = b3 < kProfiles;
  switch (request[2]) {
    case device::kCtlCommit:
      ++settingsCommits;
      break;
    case device::kCtlReadSteps:
      reply[2] = 0;
      if (levelOk) {
        const Level& level = levels[b4];
        reply[2] = level.step[0];
        reply[3] = level.step[1] == level.step[0] ? 0 : level.step[1];
      }
      break;
    case device::kCtlReadRatio:
      reply[2] = 0;
      if (levelOk) {
        const Level& level = levels[b4];
        reply[2] = level.numerator[0];
        reply[3] = level.denominator[0];
        reply[4] = level.numerator[1];
        reply[5] = level.denominator[1];
      }
      break;
    case device::kCtlReadCurrentLevel:
      reply[2] = static_cast<std::uint8_t>(currentLevel);
      break;
    case device::kCtlSelectLevel:
      if (b3 < kLevels) currentLevel = b3;
      break;
    case device::kCtlSetStep:
      if (axisOk && levelOk) levels[b4].step[b3] = request[5];
      break;
    case device::kCtlSetRatio:
      if (axisOk && levelOk) {
        levels[b4].numerator[b3] = request[5];
        levels[b4].denominator[b3] = request[6];
      }
      break;
    case device::kCtlReadNameByte:
      reply[2] = profileOk && b4 < 16 ? names[b3][b4] : 0;
      break;
    case device::kCtlWriteNameByte:
      if (profileOk && b4 < 16) names[b3][b4] = request[5];
      break;
    case device::kCtlSetButtonFunction:
      if (profileOk && b4 < kButtons) {
        buttonFunctions[b3][b4] = {request[5],
                                   static_cast<std::uint16_t>(request[6] | (request[7] << 8))};
      }
      break;
    case device::kCtlSetProfileValues:
      if (profileOk) profileValues[b3] = {request[4], request[5], request[6]};
      break;
    default:
      break;
  }
}

void SimulatedMouse::Memory(const FeatureReport& request, FeatureReport& reply) {
  const int addr = request[3] | (request[4] << 8);
  const int size = static_cast<int>(memory.size());
  auto put = [&](int at, std::uint8_t v) {
    if (at >= 0 && at < size) memory[static_cast<std::size_t>(at)] = v;
  };
  const std::uint8_t sub = request[2];
  switch (sub) {
    case device::kMemRead7:
      for (int i = 0; i < 7; ++i) {
        const int at = addr + i;
        reply[static_cast<std::size_t>(2 + i)] =
            at < size ? memory[static_cast<std::size_t>(at)] : 0;
      }
      break;
    case device::kMemWriteByte:
      put(addr, request[6]);
      break;
    case device::kMemWriteTwo:
      put(addr, request[6]);
      put(addr + 1, request[7]);
      break;
    case device::kMemCommit: {
      const int n = std::min<int>(request[6], 32);
      for (int i = 0; i < n; ++i) put(addr + i, staging[static_cast<std::size_t>(i)]);
      break;
    }
    case device::kMemCommitPage:
      for (int i = 0; i < 32; ++i) put(addr + i, staging[static_cast<std::size_t>(i)]);
      break;
    default: {
      const auto chunk = std::find(device::kMemStage.begin(), device::kMemStage.end(), sub);
      if (chunk == device::kMemStage.end()) break;
      const auto c = static_cast<std::size_t>(chunk - device::kMemStage.begin());
      const std::size_t count = c == 5 ? 2 : 6;
      for (std::size_t i = 0; i < count; ++i) staging[6 * c + i] = request[3 + i];
      break;
    }
  }
}

void SimulatedMouse::LiveInput(const FeatureReport& request, FeatureReport& reply) {
  reply[3] = 0;
  if (request[8] != device::CheckByte(request)) return;
  if (faults.liveInputRefusals != 0) {
    if (faults.liveInputRefusals > 0) --faults.liveInputRefusals;
    return;
  }
  switch (request[2]) {
    case device::kLiveKeyDown:
      keysDown.insert(request[3]);
      break;
    case device::kLiveKeyUp:
      keysDown.erase(request[3]);
      break;
    case device::kLiveUsage16:
      lastUsage = static_cast<std::uint16_t>(request[3] | (request[4] << 8));
      break;
    case device::kLiveButtons:
      buttonsDown = static_cast<std::uint8_t>((buttonsDown | request[3]) & ~request[4]);
      break;
    default:
      return;
  }
  ++liveInputAccepted;
  reply[3] = device::kLiveInputAck;
}

void SimulatedMouse::Identify(std::uint8_t* buffer, std::size_t size) const {
  std::uint8_t full[device::kDescriptorBuffer] = {};
  PutWide(full, sizeof full, 0, config.maker);
  full[14] = config.infoByte14;
  full[15] = config.infoByte15;
  full[16] = config.sensorKind;
  full[17] = config.dpiUnit;
  for (int step = 1; step <= 56; ++step) {
    if (config.allowedSteps >> step & 1) {
      full[18 + (step - 1) / 8] =
          static_cast<std::uint8_t>(full[18 + (step - 1) / 8] | (1u << ((step - 1) % 8)));
    }
  }
  PutWide(full, sizeof full, 28, config.infoText);
  std::memcpy(buffer, full, std::min(size, sizeof full));
}

bool SimulatedMouse::ReadString(int index, std::uint8_t* buffer, std::size_t size) {
  if (!TakeRequest()) return false;
  std::fill(buffer, buffer + size, 0);
  if (index == device::kIdentifyIndex) {
    Identify(buffer, size);
    latched_ = value_;
    return true;
  }
  if (index == device::kIdentityIndex) {
    const std::uint8_t bytes[5] = {4, static_cast<std::uint8_t>(config.identity),
                                   static_cast<std::uint8_t>(config.identity >> 8),
                                   static_cast<std::uint8_t>(config.identity >> 16),
                                   static_cast<std::uint8_t>(config.identity >> 24)};
    std::memcpy(buffer, bytes, std::min(size, sizeof bytes));
    return true;
  }
  if (index == device::kPrepareIndex) {
    prepared = true;
    return true;
  }
  if (index == device::kReleaseIndex) {
    released = true;
    maskA = maskB = 0;
    return true;
  }
  if (index > device::kAssignNumberBase &&
      index <= device::kAssignNumberBase + device::kHighestDeviceNumber) {
    if (prepared) deviceNumber = index - device::kAssignNumberBase;
    prepared = false;
    return true;
  }
  if (index >= device::kNibbleBase && index < device::kNibbleBase + 16) {
    const int d = index - device::kNibbleBase;
    if (nextHalf_ == Half::kHigh) {
      value_ = (value_ & 0x0F) | (d << 4);
    } else {
      value_ = (value_ & 0xF0) | d;
    }
    nextHalf_ = Half::kNone;
    return true;
  }
  if (index == device::kLowNibbleNext) {
    value_ = 0;
    nextHalf_ = Half::kLow;
    return true;
  }
  if (index == device::kHighNibbleNext) {
    nextHalf_ = Half::kHigh;
    return true;
  }
  if (index >= device::kSetParameterBase && index <= device::kSetParameterBase + 8) {
    parameters[static_cast<std::size_t>(latched_ & 0xFF)] = index - device::kSetParameterBase;
    return true;
  }
  if (index == device::kSetMaskA) {
    maskA = latched_;
    return true;
  }
  if (index == device::kSetMaskB) {
    maskB = latched_;
    return true;
  }
  return false;
}

NotificationReport SimulatedMouse::InputReport(std::uint16_t buttons, std::int8_t wheel,
                                               std::int8_t tilt) const {
  NotificationReport report{};
  report[0] = kNotificationReportId;
  report[1] = 0x0A;
  report[2] = static_cast<std::uint8_t>(wheel);
  report[3] = static_cast<std::uint8_t>(tilt);
  report[4] = static_cast<std::uint8_t>(buttons & 0xFF);
  report[5] = static_cast<std::uint8_t>(buttons >> 8);
  report[7] = static_cast<std::uint8_t>(deviceNumber);
  return report;
}

NotificationReport SimulatedMouse::LevelChangeReport(int level) {
  if (level >= 0 && level < kLevels) currentLevel = level;
  NotificationReport report{};
  report[0] = kNotificationReportId;
  report[1] = 0x0D;
  report[2] = static_cast<std::uint8_t>(currentLevel);
  report[7] = static_cast<std::uint8_t>(deviceNumber);
  return report;
}

NotificationReport SimulatedMouse::IdleReport() const {
  NotificationReport report{};
  report[0] = kNotificationReportId;
  report[1] = 0x0B;
  report[7] = static_cast<std::uint8_t>(deviceNumber);
  return report;
}

}  // namespace sim
