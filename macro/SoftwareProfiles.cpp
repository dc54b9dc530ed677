#include "macro/SoftwareProfiles.h"

#include <algorithm>
#include <string>

#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "macro/LibraryFile.h"

namespace {

constexpr std::uint32_t kDefaultProfileCode = 18;
constexpr std::uint32_t kHighestLevel = 3;
// Button i of the mouse's numbering is the user's button i, but 3 and 4 swap.
constexpr int kMaskButton[8] = {0, 1, 2, 4, 3, 5, 6, 7};
constexpr int kWheelButton = 8;

}  // namespace

ButtonMasks MasksForRow(const std::array<std::uint32_t, kRowValues>& row) {
  ButtonMasks masks;
  for (int bit = 0; bit < 8; ++bit) {
    if (row[static_cast<std::size_t>(kMaskButton[bit])] > 0) {
      masks.maskA = static_cast<std::uint8_t>(masks.maskA & ~(1u << bit));
    }
  }
  for (int bit = 0; bit < 2; ++bit) {
    if (row[static_cast<std::size_t>(kWheelButton + bit)] > 0) {
      masks.maskB = static_cast<std::uint8_t>(masks.maskB & ~(1u << bit));
    }
  }
  return masks;
}

DeviceProfileRecord DefaultProfileRecord(const std::u16string& unknownModeText) {
  static constexpr std::uint32_t kValues[kSoftwareProfileCount][3] = {
      {8, 0, 0}, {0, 8, 0}, {0, 0, 8}, {8, 8, 0}, {8, 0, 8}, {0, 8, 8}, {0, 0, 0}};
  DeviceProfileRecord record;
  for (int i = 0; i < kSoftwareProfileCount; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    record.profileCode[slot] = kDefaultProfileCode;
    record.profileName[slot] = unknownModeText + u" " + text::FromUtf8(std::to_string(i + 1));
    record.valueA[slot] = kValues[i][0];
    record.valueB[slot] = kValues[i][1];
    record.valueC[slot] = kValues[i][2];
  }
  record.currentProfile = 0;
  return record;
}

void SoftwareProfiles::SetUnknownModeText(std::u16string text) {
  std::lock_guard<std::mutex> hold(mutex_);
  unknownModeText_ = std::move(text);
}

void SoftwareProfiles::LoadForMouse(std::uint32_t identity) {
  std::lock_guard<std::mutex> hold(mutex_);
  auto found = library_.devices.find(identity);
  if (found == library_.devices.end()) {
    found = library_.devices.emplace(identity, DefaultProfileRecord(unknownModeText_)).first;
  } else if (found->second.profileSetting > kHighestLevel) {
    found->second.profileSetting = kHighestLevel;
  }
  DeviceProfileRecord& record = found->second;
  record.profileCount = kSoftwareProfileCount;
  attached_ = true;
  identity_ = identity;
  profileCount_ = kSoftwareProfileCount;
  current_ = static_cast<int>(std::min<std::uint32_t>(record.currentProfile, kSoftwareProfileCount - 1));
}

void SoftwareProfiles::ForgetMouse() {
  std::lock_guard<std::mutex> hold(mutex_);
  attached_ = false;
  profileCount_ = 0;
  current_ = 0;
}

int SoftwareProfiles::ProfileCount() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return profileCount_;
}

int SoftwareProfiles::CurrentSoftwareProfile() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return current_;
}

int SoftwareProfiles::SelectProfile(int profile) {
  std::lock_guard<std::mutex> hold(mutex_);
  return SelectLocked(profile);
}

int SoftwareProfiles::NextProfile() {
  std::lock_guard<std::mutex> hold(mutex_);
  if (profileCount_ < 1) return -1;
  return SelectLocked((current_ + 1) % profileCount_);
}

int SoftwareProfiles::SelectLocked(int profile) {
  DeviceProfileRecord* record = RecordLocked();
  if (record == nullptr || profile < 0 || profile >= profileCount_) return -1;
  current_ = profile;
  record->currentProfile = static_cast<std::uint32_t>(current_);
  SaveLocked();
  return current_;
}

std::uint32_t SoftwareProfiles::RowValue(int button) const {
  std::lock_guard<std::mutex> hold(mutex_);
  const DeviceProfileRecord* record = RecordLocked();
  if (record == nullptr || button < 0 || button >= kRowValues) return 0;
  return record->rows[static_cast<std::size_t>(current_)][static_cast<std::size_t>(button)];
}

ButtonMasks SoftwareProfiles::Masks() const {
  std::lock_guard<std::mutex> hold(mutex_);
  const DeviceProfileRecord* record = RecordLocked();
  if (record == nullptr) return ButtonMasks{};
  return MasksForRow(record->rows[static_cast<std::size_t>(current_)]);
}

std::u16string SoftwareProfiles::Name(int profile) const {
  std::lock_guard<std::mutex> hold(mutex_);
  const DeviceProfileRecord* record = RecordLocked();
  if (record == nullptr || profile < 0 || profile >= kSoftwareProfileCount) return {};
  return record->profileName[static_cast<std::size_t>(profile)];
}

ProfileValues SoftwareProfiles::Values(int profile) const {
  std::lock_guard<std::mutex> hold(mutex_);
  const DeviceProfileRecord* record = RecordLocked();
  if (record == nullptr || profile < 0 || profile >= kSoftwareProfileCount) return {};
  const auto at = static_cast<std::size_t>(profile);
  // The library may hold anything; the mouse takes 0 to 8.
  const auto clamp = [](std::uint32_t v) { return static_cast<std::uint8_t>(std::min<std::uint32_t>(v, 8)); };
  return {clamp(record->valueA[at]), clamp(record->valueB[at]), clamp(record->valueC[at])};
}

int SoftwareProfiles::SetCurrentValues(const ProfileValues& values) {
  std::lock_guard<std::mutex> hold(mutex_);
  DeviceProfileRecord* record = RecordLocked();
  if (record == nullptr) return 0;
  const auto at = static_cast<std::size_t>(current_);
  record->valueA[at] = values[0];
  record->valueB[at] = values[1];
  record->valueC[at] = values[2];
  return SaveLocked();
}

bool SoftwareProfiles::MacroForButton(int button, MacroCommands& commands) const {
  std::lock_guard<std::mutex> hold(mutex_);
  const DeviceProfileRecord* record = RecordLocked();
  if (record == nullptr || button < 0 || button >= kRowValues) return false;
  const std::uint32_t id = record->rows[static_cast<std::size_t>(current_)][static_cast<std::size_t>(button)];
  const LibraryEntry* entry = library_.FindMacroById(id);
  if (entry == nullptr) return false;
  commands = entry->commands;
  return true;
}

int SoftwareProfiles::SetRowValue(int button, std::uint32_t macroId) {
  std::lock_guard<std::mutex> hold(mutex_);
  DeviceProfileRecord* record = RecordLocked();
  if (record == nullptr || button < 0 || button >= kRowButtons) return 0;
  if (macroId != 0 && library_.FindMacroById(macroId) == nullptr) return 0;
  record->rows[static_cast<std::size_t>(current_)][static_cast<std::size_t>(button)] = macroId;
  return SaveLocked();
}

int SoftwareProfiles::ClearRowValue(int button) {
  if (button < 0 || button >= kRowButtons) return 0;
  return SetRowValue(button, 0);
}

void SoftwareProfiles::StoreLevelChoices(int level, const std::array<std::array<std::uint8_t, 2>, 4>& steps) {
  std::lock_guard<std::mutex> hold(mutex_);
  DeviceProfileRecord* record = RecordLocked();
  if (record == nullptr) return;
  record->profileSetting = static_cast<std::uint32_t>(level);
  for (std::size_t k = 0; k < steps.size(); ++k) {
    record->pairFirst[k] = steps[k][0];
    record->pairSecond[k] = steps[k][1];
  }
}

DeviceProfileRecord* SoftwareProfiles::RecordLocked() const {
  if (!attached_) return nullptr;
  const auto found = library_.devices.find(identity_);
  return found == library_.devices.end() ? nullptr : &found->second;
}

int SoftwareProfiles::ChangeLibrary(const std::function<bool()>& change) {
  std::lock_guard<std::mutex> hold(mutex_);
  return change() ? SaveLocked() : -1;
}

int SoftwareProfiles::SaveLocked() {
  std::string error;
  if (SaveLibrary(library_, file_, &error) == 1) return 1;
  diag::Write("SoftwareProfiles: the library was not saved: " + error);
  return 0;
}
