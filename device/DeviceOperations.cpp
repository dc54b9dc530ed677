#include "device/DeviceOperations.h"

#include <system_error>
#include <utility>

#include "base/DiagLog.h"
#include "device/BackupFile.h"
#include "device/MemoryImage.h"

namespace device {
namespace {

constexpr int kProfileButtons = 12;

std::size_t Index(OperationStatus status) { return static_cast<std::size_t>(status); }

void Status(const OperationContext& context, OperationStatus status) {
  context.progress.ShowStatus(status, context.texts.Text(status));
  context.progress.ShowSecondLine(u"");
}

// The progress of the memory transfers, which count addresses.
Progress FractionOf(OperationProgress& progress) {
  return [&progress](double fraction) { progress.ShowFraction(fraction); };
}

int ReadBackup(const OperationContext& context, const DevicePath& path, BackupFile& backup) {
  OperationProgress& progress = context.progress;
  if (!ReadImage(context.link, path, backup.image, FractionOf(progress))) {
    diag::Write("backup: the memory read failed");
    return 0;
  }
  progress.ShowFraction(0.0);
  for (int level = 0; level < kBackupLevels; ++level) {
    LevelSteps& steps = backup.levels[static_cast<std::size_t>(level)];
    if (!ReadLevel(context.link, path, level, steps)) {
      diag::Writef("backup: reading level %d failed", level);
      return 0;
    }
    // A restore refuses a zero step, so a file holding one would be no backup.
    if (steps.x == 0 || steps.y == 0) {
      diag::Writef("backup: level %d reads as step 0", level);
      return 0;
    }
    progress.ShowFraction((level + 1) / 4.0);
  }
  progress.ShowFraction(0.0);
  for (int profile = 0; profile < kBackupProfiles; ++profile) {
    ProfileNameBytes bytes{};
    for (int i = 0; i < kProfileNameBytes; ++i) {
      if (!ReadNameByte(context.link, path, profile, i, false,
                        bytes[static_cast<std::size_t>(i)])) {
        diag::Writef("backup: reading the name of profile %d failed", profile);
        return 0;
      }
    }
    backup.names[static_cast<std::size_t>(profile)] = ProfileNameFromBytes(bytes);
    progress.ShowFraction((profile + 1) / 7.0);
  }
  return 1;
}

int WriteBackupToMouse(const OperationContext& context, const DevicePath& path,
                       const BackupFile& backup) {
  OperationProgress& progress = context.progress;
  Status(context, OperationStatus::kWritingAll);
  progress.ShowFraction(0.0);
  if (!WriteImage(context.link, path, backup.image.data(), kMemorySize, FractionOf(progress))) {
    diag::Write("restore: a memory page failed; nothing further written");
    return 0;
  }
  progress.ShowFraction(0.0);
  for (int level = 0; level < kBackupLevels; ++level) {
    const LevelSteps& steps = backup.levels[static_cast<std::size_t>(level)];
    if (!WriteLevel(context.link, path, level, steps.x, steps.y)) {
      diag::Writef("restore: writing level %d failed; nothing further written", level);
      return 0;
    }
    context.host.SaveSettings();
    progress.ShowFraction((level + 1) / 4.0);
  }
  Status(context, OperationStatus::kWaiting);
  progress.ShowFraction(0.0);
  for (int profile = 0; profile < kBackupProfiles; ++profile) {
    const ProfileNameBytes bytes =
        ProfileNameToBytes(backup.names[static_cast<std::size_t>(profile)]);
    for (int i = 0; i < kProfileNameBytes; ++i) {
      if (!WriteNameByte(context.link, path, profile, i, bytes[static_cast<std::size_t>(i)])) {
        diag::Writef("restore: writing the name of profile %d failed; nothing further written",
                     profile);
        return 0;
      }
    }
    progress.ShowFraction((profile + 1) / 7.0);
  }
  return CommitSettings(context.link, path, kOperationCommitSettleMs);
}

int ResetMouse(const OperationContext& context, const DevicePath& path) {
  OperationProgress& progress = context.progress;
  for (int profile = 0; profile < kResetProfiles; ++profile) {
    for (int button = 0; button < kProfileButtons; ++button) {
      if (!SetButtonFunction(context.link, path, profile, button, 0, kOwnFunction,
                             context.buttonTable)) {
        return 0;
      }
      progress.ShowFraction((kProfileButtons * profile + button + 1) / 60.0);
    }
    for (int i = 0; i < kProfileNameBytes; ++i) {
      if (!WriteNameByte(context.link, path, profile, i, 0)) return 0;
    }
  }
  Status(context, OperationStatus::kDeletingLibrary);
  for (int entry = 0; entry < kDirectoryEntries; ++entry) {
    if (!WriteDirectoryEntry(context.link, path, entry, 0xFFFF, 0xFFFF, u"")) return 0;
    progress.ShowFraction((entry + 1) / 64.0);
  }
  for (int level = 0; level < 4; ++level) {
    const int step = kDefaultLevelSteps[static_cast<std::size_t>(level)];
    if (!WriteLevel(context.link, path, level, step, step)) return 0;
  }
  for (int profile = 0; profile < kResetProfiles; ++profile) {
    const auto& values = kDefaultProfileValues[static_cast<std::size_t>(profile)];
    if (!SetProfileValues(context.link, path, profile, values[0], values[1], values[2])) return 0;
  }
  return CommitSettings(context.link, path, kOperationCommitSettleMs);
}

}  // namespace

StatusTextSlot StatusTextSlotOf(OperationStatus status) {
  switch (status) {
    case OperationStatus::kReadingAll:
      return {StatusTextSlot::Table::kMessage, 15};
    case OperationStatus::kWritingAll:
      return {StatusTextSlot::Table::kMessage, 16};
    case OperationStatus::kWaiting:
      return {StatusTextSlot::Table::kMessage, 17};
    case OperationStatus::kDeletingLibrary:
      return {StatusTextSlot::Table::kLabel, 49};
    case OperationStatus::kResettingButtons:
      return {StatusTextSlot::Table::kLabel, 50};
  }
  return {StatusTextSlot::Table::kMessage, 17};
}

OperationTexts::OperationTexts()
    : texts_{u"Reading all data from eeprom...", u"Writing data to eeprom...", u"Waiting...",
             u"Deleting macro library...", u"Resetting button setting..."} {}

const std::u16string& OperationTexts::Text(OperationStatus status) const {
  return texts_[Index(status)];
}

void OperationTexts::Set(OperationStatus status, std::u16string text) {
  texts_[Index(status)] = std::move(text);
}

int Backup(const OperationContext& context, const std::filesystem::path& file) {
  OperationProgress& progress = context.progress;
  const DevicePath path = context.host.CurrentPath();
  int result = 0;
  // A folder that is not there fails now rather than after the whole read.
  std::error_code code;
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  if (!std::filesystem::is_directory(folder, code)) {
    diag::Write("backup: no folder " + folder.u8string());
  } else {
    Status(context, OperationStatus::kReadingAll);
    progress.ShowFraction(0.0);
    BackupFile backup;
    if (ReadBackup(context, path, backup)) {
      std::string error;
      result = SaveBackupFile(file, backup, &error);
      if (!result) diag::Write("backup: " + error);
    }
  }
  progress.ShowFraction(0.0);
  progress.RepaintWindow();
  context.host.FinishOperation();
  return result;
}

int Restore(const OperationContext& context, const std::filesystem::path& file) {
  const DevicePath path = context.host.CurrentPath();
  BackupFile backup;
  BackupProblem problem;
  int result = LoadBackupFile(file, backup, &problem);
  if (!result) {
    diag::Write("restore: refused the file at byte " + std::to_string(problem.offset) + ": " +
                problem.what);
  } else {
    result = WriteBackupToMouse(context, path, backup);
  }
  context.progress.ShowFraction(0.0);
  context.progress.RepaintWindow();
  context.host.RefreshCurrentTab();
  context.host.DeviceArrival();
  return result;
}

int Reset(const OperationContext& context) {
  OperationProgress& progress = context.progress;
  OperationHost& host = context.host;
  host.DisableDeviceControls();
  progress.RepaintWindow();
  progress.ShowFraction(0.0);
  Status(context, OperationStatus::kResettingButtons);
  int result = 0;
  if (context.link.DeviceCount() > 0) {
    result = ResetMouse(context, host.CurrentPath());
    if (!result) diag::Write("reset: a request failed; nothing further written");
  }
  host.LeaveResetState();
  host.RefreshDirectory();
  progress.ShowFraction(0.0);
  progress.RepaintWindow();
  host.RefreshCurrentTab();
  host.DeviceArrival();
  const DevicePath after = host.CurrentPath();
  std::array<LevelSteps, 4> levels{};
  bool levelsRead = true;
  for (int level = 0; level < 4 && levelsRead; ++level) {
    levelsRead =
        ReadLevel(context.link, after, level, levels[static_cast<std::size_t>(level)]) == 1;
  }
  // With no mouse left the levels the window holds stay as they are.
  if (levelsRead) host.StoreLevelSteps(levels);
  return result;
}

}  // namespace device
