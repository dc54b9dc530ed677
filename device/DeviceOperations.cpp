#include "device/DeviceOperations.h"

#include <algorithm>
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

// The progress of the memory transfers, which count addresses. `done`
// learns the bytes behind the last address reported.
Progress FractionOf(OperationProgress& progress, int chunk, int size, int& done) {
  return [&progress, chunk, size, &done](double fraction) {
    done = std::min(size, static_cast<int>(fraction * kMemorySize) + chunk);
    progress.ShowFraction(fraction);
  };
}

// The requests of one operation: counts those the mouse does not take and
// notices when the mouse itself is gone, after which nothing more is sent.
class Requests {
 public:
  Requests(const OperationContext& context, const DevicePath& path, OperationResult& result)
      : link_(context.link), path_(path), result_(result) {}

  // True when `taken` is 1.
  bool Take(int taken, const char* what, int item) {
    if (taken == 1) return true;
    ++result_.failedRequests;
    diag::Writef("%s %d: the mouse did not take the request", what, item);
    if (!Reachable(link_, path_)) {
      diag::Write("the mouse is gone; nothing further is sent");
      result_.mouseGone = true;
    }
    return false;
  }
  bool Gone() const { return result_.mouseGone; }

 private:
  HidLink& link_;
  const DevicePath& path_;
  OperationResult& result_;
};

void ReadBackup(const OperationContext& context, const DevicePath& path, BackupFile& backup,
                OperationResult& result) {
  // Another program's requests must not fall between these: a backup would
  // mix two states of the mouse. This program's other threads still interleave.
  SessionHold session(context.link.DeviceLock());
  OperationProgress& progress = context.progress;
  Requests requests(context, path, result);
  const int read = ReadImage(context.link, path, backup.image,
                             FractionOf(progress, kReadChunk, kMemorySize, result.memoryBytes));
  if (!requests.Take(read, "backup: memory read at", result.memoryBytes)) {
    result.memoryFailed = true;
    return;
  }
  result.memoryBytes = kMemorySize;
  progress.ShowFraction(0.0);
  for (int level = 0; level < kBackupLevels; ++level) {
    LevelSteps& steps = backup.levels[static_cast<std::size_t>(level)];
    if (!requests.Take(ReadLevel(context.link, path, level, steps), "backup: level", level)) return;
    // A zero step is what a failed read leaves: the file would not hold the level.
    if (HasZeroStep(steps)) {
      diag::Writef("backup: level %d reads as step 0", level);
      ++result.failedRequests;
      return;
    }
    ++result.levels;
    progress.ShowFraction((level + 1) / 4.0);
  }
  progress.ShowFraction(0.0);
  for (int profile = 0; profile < kBackupProfiles; ++profile) {
    if (!requests.Take(ReadProfileName(context.link, path, profile, false,
                                       backup.names[static_cast<std::size_t>(profile)]),
                       "backup: name of profile", profile)) {
      return;
    }
    ++result.names;
    progress.ShowFraction((profile + 1) / 7.0);
  }
}

// Writes the 16 bytes of a profile name, all of them whatever fails. True
// when the mouse took every byte.
bool WriteName(const OperationContext& context, const DevicePath& path, Requests& requests,
               int profile, const ProfileNameBytes& bytes) {
  bool whole = true;
  for (int i = 0; i < kProfileNameBytes && !requests.Gone(); ++i) {
    whole &= requests.Take(
        WriteNameByte(context.link, path, profile, i, bytes[static_cast<std::size_t>(i)]),
        "name of profile", profile);
  }
  return whole && !requests.Gone();
}

void WriteBackupToMouse(const OperationContext& context, const DevicePath& path,
                        const BackupFile& backup, OperationResult& result) {
  // As ReadBackup: no other program between the first request and the last.
  SessionHold session(context.link.DeviceLock());
  OperationProgress& progress = context.progress;
  Requests requests(context, path, result);
  Status(context, OperationStatus::kWritingAll);
  progress.ShowFraction(0.0);
  const int imageSize = static_cast<int>(backup.imageSize);
  // A file may hold a shorter image, or none: its pages are what it has.
  if (imageSize > 0) {
    const int written = WriteImage(context.link, path, backup.image.data(), imageSize,
                                   FractionOf(progress, kPageSize, imageSize, result.memoryBytes));
    if (!requests.Take(written, "restore: page at", result.memoryBytes)) {
      // The rest of the image would not match what was written.
      result.memoryFailed = true;
      return;
    }
    result.memoryBytes = imageSize;
  }
  progress.ShowFraction(0.0);
  for (int level = 0; level < kBackupLevels && !requests.Gone(); ++level) {
    const LevelSteps& steps = backup.levels[static_cast<std::size_t>(level)];
    if (HasZeroStep(steps)) {
      diag::Writef("restore: level %d has a step of 0 in the file and is left as it is", level);
      result.skippedLevels.push_back(level);
    } else if (requests.Take(WriteLevel(context.link, path, level, steps.x, steps.y),
                             "restore: level", level)) {
      ++result.levels;
    }
    progress.ShowFraction((level + 1) / 4.0);
  }
  if (requests.Gone()) return;
  Status(context, OperationStatus::kWaiting);
  progress.ShowFraction(0.0);
  for (int profile = 0; profile < kBackupProfiles && !requests.Gone(); ++profile) {
    if (WriteName(context, path, requests, profile,
                  ProfileNameToBytes(backup.names[static_cast<std::size_t>(profile)]))) {
      ++result.names;
    }
    progress.ShowFraction((profile + 1) / 7.0);
  }
  if (!requests.Gone() &&
      requests.Take(CommitSettings(context.link, path, kOperationCommitSettleMs), "restore: commit", 0)) {
    ++result.commits;
  }
}

void ResetMouse(const OperationContext& context, const DevicePath& path, OperationResult& result) {
  // As ReadBackup: no other program between the first request and the last.
  SessionHold session(context.link.DeviceLock());
  OperationProgress& progress = context.progress;
  Requests requests(context, path, result);
  for (int profile = 0; profile < kResetProfiles && !requests.Gone(); ++profile) {
    for (int button = 0; button < kProfileButtons && !requests.Gone(); ++button) {
      if (requests.Take(SetButtonFunction(context.link, path, profile, button, 0, kOwnFunction,
                                          context.buttonTable),
                        "reset: button", button)) {
        ++result.buttons;
      }
      progress.ShowFraction((kProfileButtons * profile + button + 1) / 60.0);
    }
    if (!requests.Gone() && WriteName(context, path, requests, profile, ProfileNameBytes{})) {
      ++result.names;
    }
  }
  if (requests.Gone()) return;
  Status(context, OperationStatus::kDeletingLibrary);
  for (int entry = 0; entry < kDirectoryEntries && !requests.Gone(); ++entry) {
    if (requests.Take(WriteDirectoryEntry(context.link, path, entry, 0xFFFF, 0xFFFF, u""),
                      "reset: directory entry", entry)) {
      ++result.directoryEntries;
    }
    progress.ShowFraction((entry + 1) / 64.0);
  }
  for (int level = 0; level < 4 && !requests.Gone(); ++level) {
    const int step = kDefaultLevelSteps[static_cast<std::size_t>(level)];
    if (requests.Take(WriteLevel(context.link, path, level, step, step), "reset: level", level)) {
      ++result.levels;
    }
  }
  for (int profile = 0; profile < kResetProfiles && !requests.Gone(); ++profile) {
    const auto& values = kDefaultProfileValues[static_cast<std::size_t>(profile)];
    if (requests.Take(SetProfileValues(context.link, path, profile, values[0], values[1], values[2]),
                      "reset: values of profile", profile)) {
      ++result.profileValues;
    }
  }
  if (!requests.Gone() &&
      requests.Take(CommitSettings(context.link, path, kOperationCommitSettleMs), "reset: commit", 0)) {
    ++result.commits;
  }
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

bool Reachable(HidLink& link, const DevicePath& path) {
  if (path.empty() || !link.FindDevice(path)) return false;
  const HidHandle handle = link.Port().Open(path, PlainOpen());
  if (handle == kNoHandle) return false;
  link.Port().Close(handle);
  return true;
}

int ReadProfileName(HidLink& link, const DevicePath& path, int profile, bool arrivalBusy, std::u16string& name) {
  ProfileNameBytes bytes{};
  for (int i = 0; i < kProfileNameBytes; ++i) {
    if (ReadNameByte(link, path, profile, i, arrivalBusy, bytes[static_cast<std::size_t>(i)]) != 1) return 0;
  }
  name = ProfileNameFromBytes(bytes);
  return 1;
}

OperationResult Backup(const OperationContext& context, const std::filesystem::path& file) {
  OperationProgress& progress = context.progress;
  const DevicePath path = context.host.CurrentPath();
  OperationResult result;
  result.kind = OperationKind::kBackup;
  // A folder that is not there fails now rather than after the whole read.
  std::error_code code;
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  if (!std::filesystem::is_directory(folder, code)) {
    result.fileFailed = true;
    result.fileProblem = "no folder " + folder.u8string();
  } else if (!Reachable(context.link, path)) {
    result.noMouse = true;
  } else {
    Status(context, OperationStatus::kReadingAll);
    progress.ShowFraction(0.0);
    BackupFile backup;
    ReadBackup(context, path, backup, result);
    if (!result.Failed()) {
      result.fileWritten = SaveBackupFile(file, backup, &result.fileProblem) == 1;
      result.fileFailed = !result.fileWritten;
    }
  }
  if (!result.fileProblem.empty()) diag::Write("backup: " + result.fileProblem);
  progress.ShowFraction(0.0);
  progress.RepaintWindow();
  return result;
}

OperationResult Restore(const OperationContext& context, const std::filesystem::path& file) {
  const DevicePath path = context.host.CurrentPath();
  OperationResult result;
  result.kind = OperationKind::kRestore;
  BackupFile backup;
  BackupProblem problem;
  if (!LoadBackupFile(file, backup, &problem)) {
    result.fileFailed = true;
    result.fileUnreadable = problem.unreadable;
    result.fileProblem = "byte " + std::to_string(problem.offset) + ": " + problem.what;
    diag::Write("restore: refused the file at " + result.fileProblem);
  } else if (!Reachable(context.link, path)) {
    result.noMouse = true;
  } else {
    WriteBackupToMouse(context, path, backup, result);
  }
  context.progress.ShowFraction(0.0);
  context.progress.RepaintWindow();
  context.host.DeviceArrival();
  return result;
}

OperationResult Reset(const OperationContext& context) {
  OperationProgress& progress = context.progress;
  OperationHost& host = context.host;
  progress.RepaintWindow();
  progress.ShowFraction(0.0);
  Status(context, OperationStatus::kResettingButtons);
  OperationResult result;
  result.kind = OperationKind::kReset;
  const DevicePath path = host.CurrentPath();
  if (Reachable(context.link, path)) {
    ResetMouse(context, path, result);
  } else {
    result.noMouse = true;
  }
  progress.ShowFraction(0.0);
  progress.RepaintWindow();
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
