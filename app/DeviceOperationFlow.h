#pragma once
// Backup, Restore and Reset as the window sees them: the confirmation, the
// file dialog, the controls that must not start other device work while the
// worker runs, the busy flag, the status text and cursor, and the closing
// message.
#include <atomic>
#include <optional>
#include <string>

#include "app/UiText.h"
#include "app/WindowAction.h"
#include "device/DeviceOperations.h"
#include "ui/PaintSnapshot.h"

// How an operation ended, as the window shows it.
struct OperationOutcome {
  std::u16string message;  // the closing message; empty shows none
};

class DeviceOperationFlow {
 public:
  // Message texts of the text table that the flow shows.
  static constexpr int kRestoreQuestion = 9;
  static constexpr int kRestoreCaption = 8;
  static constexpr int kResetQuestion = 11;
  static constexpr int kResetCaption = 10;
  static constexpr int kBackupCaption = kMessageBackupCaption;

  // `operationBusy` is the connection's flag, which arrival sets too.
  explicit DeviceOperationFlow(std::atomic<bool>& operationBusy) : operationBusy(operationBusy) {}

  void Request(DeviceOperation operation, WindowActions& out);
  void Answer(bool yes, WindowActions& out);
  // `file` is empty when the user cancelled the dialog.
  void FileChosen(const std::u16string& file, WindowActions& out);
  void Status(const device::StatusTextSlot& slot, WindowActions& out);
  // The worker's progress, 0 to 1, and the panel's second line.
  void Progress(double fraction, WindowActions& out);
  void SecondLine(const std::u16string& text, WindowActions& out);
  // `levelPage`: the page that shows the sliders and the tie box is current.
  // OperationBusy is not touched: the worker has cleared it (a restore and
  // a reset through the arrival they end with, which may already have been
  // followed by another arrival that holds it).
  void Ended(const OperationOutcome& outcome, bool levelPage, WindowActions& out);

  bool Running() const { return stage == Stage::kRunning; }
  bool ResetRunning() const { return Running() && operation == DeviceOperation::kReset; }
  // The status text the progress panel shows, while one has been set.
  bool HasStatus() const { return hasStatus; }
  const device::StatusTextSlot& StatusText() const { return status; }
  // The progress panel, shown while an operation runs.
  BusyOverlay Panel(const UiText& texts) const;

 private:
  enum class Stage { kIdle, kAsking, kChoosingFile, kRunning };

  void ChooseFileOrStart(WindowActions& out);
  void Start(const std::u16string& file, WindowActions& out);

  std::atomic<bool>& operationBusy;
  Stage stage = Stage::kIdle;
  DeviceOperation operation = DeviceOperation::kBackup;
  bool hasStatus = false;
  device::StatusTextSlot status{device::StatusTextSlot::Table::kMessage, 0};
  std::optional<double> fraction;
  std::u16string secondLine;
};

// A status text as the user's language file words it.
std::u16string StatusTextOf(const UiText& texts, const device::StatusTextSlot& slot);
