#pragma once
// The three long operations on the whole mouse: backup to a file, restore
// from one, and reset to the factory defaults. Each is the body of a worker
// thread that the main window starts with OperationBusy set; the file path
// comes from the caller's dialog. They talk to the window only through the
// two interfaces below and show no messages themselves.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "device/DeviceCommands.h"
#include "device/DpiLevels.h"
#include "device/HidLink.h"
#include "device/OperationResult.h"

namespace device {

enum class OperationStatus {
  kReadingAll,
  kWritingAll,
  kWaiting,
  kDeletingLibrary,
  kResettingButtons
};
inline constexpr int kOperationStatusCount = 5;

// Where a status text lives in the text table: an entry of the message table
// or a label slot.
struct StatusTextSlot {
  enum class Table { kMessage, kLabel };
  Table table;
  int entry;
};
StatusTextSlot StatusTextSlotOf(OperationStatus status);

// The status texts: the built-in English ones until the text table hands in
// its own (from the user's language file).
class OperationTexts {
 public:
  OperationTexts();
  const std::u16string& Text(OperationStatus status) const;
  void Set(OperationStatus status, std::u16string text);

 private:
  std::array<std::u16string, kOperationStatusCount> texts_;
};

// The progress panel painted over the main window. Called from the worker thread.
class OperationProgress {
 public:
  virtual ~OperationProgress() = default;
  // 0.0 to 1.0; repaints the panel only.
  virtual void ShowFraction(double fraction) = 0;
  virtual void ShowStatus(OperationStatus status, const std::u16string& text) = 0;
  virtual void ShowSecondLine(const std::u16string& text) = 0;
  virtual void RepaintWindow() = 0;
};

// What the operations need from whoever runs them: which mouse, the
// connection's arrival at the end of a restore or a reset, and the levels a
// reset read back. Called from the operation's thread. Whoever runs an
// operation also clears OperationBusy after a backup.
class OperationHost {
 public:
  virtual ~OperationHost() = default;
  // The current mouse; empty when there is none.
  virtual DevicePath CurrentPath() = 0;
  // The connection's device arrival, which sets the program up from what
  // the mouse now holds and clears OperationBusy.
  virtual void DeviceArrival() = 0;
  virtual void StoreLevelSteps(const std::array<LevelSteps, 4>& levels) = 0;
};

struct OperationContext {
  HidLink& link;
  OperationProgress& progress;
  OperationHost& host;
  const OperationTexts& texts;
  // Reset records the functions it assigns here (the window's button tables).
  ButtonFunctionTable* buttonTable = nullptr;
};

// A request can fail while the mouse is there (busy, a lost reply); a path
// that is no longer listed or no longer opens means the mouse was unplugged.
bool Reachable(HidLink& link, const DevicePath& path);

// Reads the 16 bytes of profile `profile`'s name into `name`. 1 when every
// byte came; `name` is left alone otherwise.
int ReadProfileName(HidLink& link, const DevicePath& path, int profile, bool arrivalBusy, std::u16string& name);

// Reads the current mouse's memory, levels and names and writes them to
// `file`. Reading stops at the first failure, and the file is written only
// when every read succeeded (and no level reads as step 0), so a failed
// backup never replaces a good file with one that looks whole but is not.
OperationResult Backup(const OperationContext& context, const std::filesystem::path& file);

// Reads and checks `file` first; only a sound file is written to the mouse:
// image, levels, names, then the closing commit. A failed page stops the
// restore (the rest of the image would not match); a failed level, name or
// commit request is counted and the restore goes on, unless the mouse is
// gone. A level whose step in the file is 0 is not written. Ends with a
// device arrival in every case.
OperationResult Restore(const OperationContext& context, const std::filesystem::path& file);

// Sets every button of profiles 0 to 4 to its own function, clears their
// names and the 64 macro directory entries, writes the default levels and
// profile values and commits, every item whatever fails before it unless
// the mouse is gone. Ends with a device arrival and a fresh read of the levels.
OperationResult Reset(const OperationContext& context);

// Reset's defaults.
inline constexpr std::array<std::uint8_t, 4> kDefaultLevelSteps = {4, 8, 12, 16};
inline constexpr int kResetProfiles = 5;
inline constexpr std::array<std::array<std::uint8_t, 3>, kResetProfiles> kDefaultProfileValues = {
    {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}, {2, 0, 2}, {0, 2, 2}}};
inline constexpr std::uint16_t kOwnFunction = 0xFFFF;
inline constexpr int kOperationCommitSettleMs = 10;

}  // namespace device
