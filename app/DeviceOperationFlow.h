#pragma once
// Backup, Restore and Reset as the window sees them: the confirmation, the
// file dialog, the controls that must not start other device work while the
// worker runs, the busy flag, the status text and cursor, and the closing
// message.
#include <atomic>
#include <string>

#include "app/WindowAction.h"
#include "device/DeviceOperations.h"

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
  static constexpr int kBackupCaption = 1;

  // `operationBusy` is the connection's flag, which arrival sets too.
  explicit DeviceOperationFlow(std::atomic<bool>& operationBusy) : operationBusy(operationBusy) {}

  void Request(DeviceOperation operation, WindowActions& out);
  void Answer(bool yes, WindowActions& out);
  // `file` is empty when the user cancelled the dialog.
  void FileChosen(const std::u16string& file, WindowActions& out);
  void Status(const device::StatusTextSlot& slot, WindowActions& out);
  // `levelPage`: the page that shows the sliders and the tie box is current.
  void Ended(const OperationOutcome& outcome, bool levelPage, WindowActions& out);

  bool Running() const { return stage == Stage::kRunning; }
  bool ResetRunning() const { return Running() && operation == DeviceOperation::kReset; }
  // The status text the progress panel shows, while one has been set.
  bool HasStatus() const { return hasStatus; }
  const device::StatusTextSlot& StatusText() const { return status; }

 private:
  enum class Stage { kIdle, kAsking, kChoosingFile, kRunning };

  void ChooseFileOrStart(WindowActions& out);
  void Start(const std::u16string& file, WindowActions& out);

  std::atomic<bool>& operationBusy;
  Stage stage = Stage::kIdle;
  DeviceOperation operation = DeviceOperation::kBackup;
  bool hasStatus = false;
  device::StatusTextSlot status{device::StatusTextSlot::Table::kMessage, 0};
};
