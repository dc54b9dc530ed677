#include "sim/SimulatedMouse.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "sim/MousePlayer.h"
#include "sim/RequestForm.h"

namespace sim {

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

void SimulatedMouse::AdvanceTo(std::int64_t nowUs) {
  clocked_ = true;
  nowUs_ = nowUs;
}

void SimulatedMouse::Garble(std::uint8_t* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    bytes[i] = static_cast<std::uint8_t>(noise_);
  }
}

bool SimulatedMouse::ReadFeature(std::uint8_t* buffer, std::size_t length) {
  if (!plugged_ || length < kReportLength) return false;
  std::fill(buffer, buffer + length, 0);
  if (faults.alwaysBusy || Begun(faults.busyFromRequest) || busyReads_ > 0 || Programming()) {
    if (busyReads_ > 0) --busyReads_;
    buffer[1] = kBusyFlag;
    return true;
  }
  if (replyReady_ && !faults.neverReady && !Begun(faults.neverReadyFromRequest)) {
    std::copy(reply_.begin(), reply_.end(), buffer);
  }
  return true;
}

bool SimulatedMouse::WriteFeature(const std::uint8_t* buffer, std::size_t length) {
  if (length < kReportLength || !TakeRequest()) return false;
  // A busy mouse does not take requests.
  if (faults.alwaysBusy || Begun(faults.busyFromRequest)) return false;
  Report request{};
  std::copy(buffer, buffer + kReportLength, request.begin());
  Answer(request);
  if (Begun(faults.garbageFromRequest)) {
    Garble(reply_.data() + 1, kReportLength - 1);
    reply_[1] = static_cast<std::uint8_t>(kReadyFlag | (reply_[1] & kDataBits));
  }
  busyReads_ = faults.busyReadsPerRequest;
  return true;
}

void SimulatedMouse::Answer(const Report& request) {
  Report reply{};
  const std::uint8_t group = request[1];
  reply[1] = static_cast<std::uint8_t>(kReadyFlag | (group & kDataBits));
  reply_ = reply;
  replyReady_ = true;
  const std::string error = FormError(request);
  if (!error.empty()) {
    protocolErrors.push_back(error);
    return;
  }
  reply[2] = request[2];
  switch (group) {
    case kControlGroup:
      Control(request, reply);
      break;
    case kMemoryGroup:
      Memory(request, reply);
      break;
    case kRegisterGroup:
      reply[2] = registers[request[2]];
      break;
    case kProbeGroup:
      reply[2] = faults.wrongIdentity ? 0x00 : config.probeAnswer;
      break;
    case kLiveGroup:
      LiveInput(request, reply);
      break;
    default:
      break;
  }
  reply_ = reply;
}

void SimulatedMouse::Control(const Report& request, Report& reply) {
  const int b3 = request[3];
  const int b4 = request[4];
  const bool levelOk = b4 < kLevels;
  const bool axisOk = b3 <= 1;
  const bool profileOk = b3 < kProfiles;
  switch (request[2]) {
    case kCommitSettings:
      ++settingsCommits;
      break;
    case kReadSteps:
      reply[2] = 0;
      if (levelOk) {
        const Level& level = levels[b4];
        reply[2] = level.step[0];
        reply[3] = level.step[1] == level.step[0] ? 0 : level.step[1];
      }
      break;
    case kReadRatio:
      reply[2] = 0;
      if (levelOk) {
        const Level& level = levels[b4];
        reply[2] = level.numerator[0];
        reply[3] = level.denominator[0];
        reply[4] = level.numerator[1];
        reply[5] = level.denominator[1];
      }
      break;
    case kReadCurrentLevel:
      reply[2] = static_cast<std::uint8_t>(currentLevel);
      break;
    case kSelectLevel:
      if (b3 < kLevels) currentLevel = b3;
      break;
    case kSetStep:
      if (axisOk && levelOk) levels[b4].step[b3] = request[5];
      break;
    case kSetRatio:
      if (axisOk && levelOk) {
        levels[b4].numerator[b3] = request[5];
        levels[b4].denominator[b3] = request[6];
      }
      break;
    case kReadNameByte:
      reply[2] = profileOk && b4 < 16 ? names[b3][b4] : 0;
      break;
    case kWriteNameByte:
      if (profileOk && b4 < 16) names[b3][b4] = request[5];
      break;
    case kSetButtonFunction:
      if (profileOk && b4 < kButtons) {
        buttonFunctions[b3][b4] = {request[5],
                                   static_cast<std::uint16_t>(request[6] | (request[7] << 8))};
      }
      break;
    case kSetProfileValues:
      if (profileOk) profileValues[b3] = {request[4], request[5], request[6]};
      break;
    default:
      break;
  }
}

void SimulatedMouse::Memory(const Report& request, Report& reply) {
  const std::size_t addr = static_cast<std::size_t>(request[3] | (request[4] << 8));
  auto put = [&](std::size_t at, std::uint8_t v) {
    if (at < memory.size()) memory[at] = v;
  };
  std::int64_t programUs = 0;
  const std::uint8_t sub = request[2];
  switch (sub) {
    case kRead7:
      for (std::size_t i = 0; i < 7; ++i) reply[2 + i] = addr + i < memory.size() ? memory[addr + i] : 0;
      break;
    case kWriteOne:
      put(addr, request[6]);
      programUs = kProgramSmallUs;
      break;
    case kWritePair:
      put(addr, request[6]);
      put(addr + 1, request[7]);
      programUs = kProgramSmallUs;
      break;
    case kCommitStaged: {
      const int n = std::min<int>(request[6], static_cast<int>(kPageSize));
      for (int i = 0; i < n; ++i) put(addr + static_cast<std::size_t>(i), staging[static_cast<std::size_t>(i)]);
      programUs = ProgramStagedUs(n);
      break;
    }
    case kCommitPage:
      for (std::size_t i = 0; i < kPageSize; ++i) put(addr + i, staging[i]);
      programUs = kProgramPageUs;
      break;
    default: {
      const auto chunk = std::find(kStageChunks.begin(), kStageChunks.end(), sub);
      if (chunk == kStageChunks.end()) break;
      const auto c = static_cast<std::size_t>(chunk - kStageChunks.begin());
      const std::size_t count = c + 1 == kStageChunks.size() ? 2 : 6;
      for (std::size_t i = 0; i < count; ++i) staging[6 * c + i] = request[3 + i];
      break;
    }
  }
  programmedAtUs_ = nowUs_ + programUs;
}

void SimulatedMouse::LiveInput(const Report& request, Report& reply) {
  reply[3] = 0;
  if (faults.liveInputRefusals != 0) {
    if (faults.liveInputRefusals > 0) --faults.liveInputRefusals;
    return;
  }
  switch (request[2]) {
    case kLiveKeyDown:
      keysDown.insert(request[3]);
      break;
    case kLiveKeyUp:
      keysDown.erase(request[3]);
      break;
    case kLiveUsage16:
      lastUsage = static_cast<std::uint16_t>(request[3] | (request[4] << 8));
      break;
    case kLiveButtons:
      buttonsDown = static_cast<std::uint8_t>((buttonsDown | request[3]) & ~request[4]);
      break;
    default:
      return;
  }
  ++liveInputAccepted;
  reply[3] = kLiveAck;
}

void SimulatedMouse::Identify(std::uint8_t* buffer, std::size_t size) const {
  std::uint8_t full[kDescriptorSize] = {};
  PutWide(full, sizeof full, 0, config.maker);
  full[kInfoBytesAt] = config.infoByte14;
  full[kInfoBytesAt + 1] = config.infoByte15;
  full[kInfoBytesAt + 2] = config.sensorKind;
  full[kInfoBytesAt + 3] = config.dpiUnit;
  for (int step = 1; step <= kHighestStep; ++step) {
    if (config.allowedSteps >> step & 1) {
      const auto at = kStepMaskAt + static_cast<std::size_t>((step - 1) / 8);
      full[at] = static_cast<std::uint8_t>(full[at] | (1u << ((step - 1) % 8)));
    }
  }
  PutWide(full, sizeof full, kInfoTextAt, config.infoText);
  std::memcpy(buffer, full, std::min(size, sizeof full));
}

bool SimulatedMouse::ReadString(int index, std::uint8_t* buffer, std::size_t size) {
  if (!TakeRequest()) return false;
  std::fill(buffer, buffer + size, 0);
  const bool answered = String(index, buffer, size);
  if (answered && Begun(faults.garbageFromRequest)) Garble(buffer, size);
  return answered;
}

bool SimulatedMouse::String(int index, std::uint8_t* buffer, std::size_t size) {
  if (index == kIdentify) {
    Identify(buffer, size);
    justLatched_ = valueSent_;
    if (valueSent_) latched_ = value_;
    valueSent_ = false;
    return true;
  }
  const bool latched = justLatched_;
  justLatched_ = false;
  if (index == kIdentity) {
    const std::uint8_t bytes[5] = {4, static_cast<std::uint8_t>(config.identity),
                                   static_cast<std::uint8_t>(config.identity >> 8),
                                   static_cast<std::uint8_t>(config.identity >> 16),
                                   static_cast<std::uint8_t>(config.identity >> 24)};
    std::memcpy(buffer, bytes, std::min(size, sizeof bytes));
    return true;
  }
  auto refuse = [&](const char* why) {
    char text[64];
    std::snprintf(text, sizeof text, "str %d: %s", index, why);
    protocolErrors.emplace_back(text);
    return false;
  };
  if (index == kPrepare) {
    prepared = true;
    return true;
  }
  if (index == kRelease) {
    released = true;
    maskA = maskB = 0;
    masked = false;
    return true;
  }
  if (index > kAssignNumberBase && index <= kAssignNumberBase + kHighestNumber) {
    if (!prepared) return refuse("number without Prepare");
    deviceNumber = index - kAssignNumberBase;
    prepared = false;
    return true;
  }
  if (index >= kNibbleBase && index < kNibbleBase + 16) {
    const int d = index - kNibbleBase;
    if (nextHalf_ == Half::kNone) return refuse("nibble without a half marker");
    value_ = nextHalf_ == Half::kHigh ? (value_ & 0x0F) | (d << 4) : (value_ & 0xF0) | d;
    nextHalf_ = Half::kNone;
    valueSent_ = true;
    return true;
  }
  if (index == kLowNibbleNext) {
    value_ = 0;
    nextHalf_ = Half::kLow;
    return true;
  }
  if (index == kHighNibbleNext) {
    nextHalf_ = Half::kHigh;
    return true;
  }
  const bool parameter = index >= kSetParameterBase && index <= kSetParameterBase + kHighestParameter;
  if (parameter || index == kSetMaskA || index == kSetMaskB) {
    if (!latched) return refuse("no value latched by Identify");
    if (parameter) parameters[static_cast<std::size_t>(latched_ & 0xFF)] = index - kSetParameterBase;
    if (index == kSetMaskA) maskA = latched_;
    if (index == kSetMaskB) maskB = latched_;
    masked = masked || !parameter;
    return true;
  }
  return refuse("unknown side command");
}

NotificationReport SimulatedMouse::InputReport(std::uint16_t buttons, std::int8_t wheel,
                                               std::int8_t tilt) const {
  NotificationReport report{};
  report[0] = kNotificationReportId;
  report[1] = kInputNotification;
  report[2] = static_cast<std::uint8_t>(wheel);
  report[3] = static_cast<std::uint8_t>(tilt);
  report[4] = static_cast<std::uint8_t>(buttons & 0xFF);
  report[5] = static_cast<std::uint8_t>(buttons >> 8);
  report[7] = static_cast<std::uint8_t>(deviceNumber);
  return report;
}

bool SimulatedMouse::HandlesButton(int button) const {
  if (!masked || button >= 10) return true;
  return button < 8 ? (maskA >> button & 1) != 0 : (maskB >> (button - 8) & 1) != 0;
}

void SimulatedMouse::PressButtons(std::uint16_t buttons, std::int8_t wheel) {
  std::uint16_t pressed = static_cast<std::uint16_t>(buttons & ~heldButtons_ & 0x0CFF);
  heldButtons_ = buttons;
  if (wheel > 0) pressed = static_cast<std::uint16_t>(pressed | 0x100);
  if (wheel < 0) pressed = static_cast<std::uint16_t>(pressed | 0x200);
  const int profile = playingProfile >= 0 && playingProfile < kProfiles ? playingProfile : 0;
  for (int button = 0; button < kButtons; ++button) {
    if ((pressed >> button & 1) == 0 || !HandlesButton(button)) continue;
    const ButtonFunction function = buttonFunctions[static_cast<std::size_t>(profile)][static_cast<std::size_t>(button)];
    if (function.kind != kMacroButtonKind) continue;
    for (std::string& line : PlayStoredMacro(memory, function.code)) ownOutput.push_back(std::move(line));
  }
}

NotificationReport SimulatedMouse::LevelChangeReport(int level) {
  if (level >= 0 && level < kLevels) currentLevel = level;
  NotificationReport report{};
  report[0] = kNotificationReportId;
  report[1] = kLevelNotification;
  report[2] = static_cast<std::uint8_t>(currentLevel);
  report[7] = static_cast<std::uint8_t>(deviceNumber);
  return report;
}

NotificationReport SimulatedMouse::IdleReport() const {
  NotificationReport report{};
  report[0] = kNotificationReportId;
  report[1] = kIdleNotification;
  report[7] = static_cast<std::uint8_t>(deviceNumber);
  return report;
}

}  // namespace sim
