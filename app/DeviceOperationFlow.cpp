#include "app/DeviceOperationFlow.h"

#include "ui/SkinLayout.h"

namespace {

constexpr int kOperationButtons[] = {kControlBackup, kControlRestore, kControlReset};
// Hidden while an operation runs: they would start device work of their own.
constexpr int kLevelControls[] = {kControlSliderX, kControlSliderY, kControlTieBox};

// The closing message is captioned like the operation's question; a backup,
// which asks nothing, is captioned "Save".
int CaptionOf(DeviceOperation operation) {
  switch (operation) {
    case DeviceOperation::kBackup:
      return DeviceOperationFlow::kBackupCaption;
    case DeviceOperation::kRestore:
      return DeviceOperationFlow::kRestoreCaption;
    case DeviceOperation::kReset:
      return DeviceOperationFlow::kResetCaption;
  }
  return DeviceOperationFlow::kBackupCaption;
}

}  // namespace

void DeviceOperationFlow::Request(DeviceOperation requested, WindowActions& out) {
  if (operationBusy || stage != Stage::kIdle) return;
  operation = requested;
  if (operation == DeviceOperation::kBackup) {
    ChooseFileOrStart(out);
    return;
  }
  stage = Stage::kAsking;
  WindowAction ask{ActionKind::kAskYesNo};
  const bool restore = operation == DeviceOperation::kRestore;
  ask.messageSlot = restore ? kRestoreQuestion : kResetQuestion;
  ask.captionSlot = restore ? kRestoreCaption : kResetCaption;
  out.Push(ask);
}

void DeviceOperationFlow::Answer(bool yes, WindowActions& out) {
  if (stage != Stage::kAsking) return;
  stage = Stage::kIdle;
  if (yes) ChooseFileOrStart(out);
}

void DeviceOperationFlow::ChooseFileOrStart(WindowActions& out) {
  if (operation == DeviceOperation::kReset) {
    Start(u"", out);
    return;
  }
  // The file is chosen before anything changes, so a cancelled dialog leaves
  // the window as it was.
  stage = Stage::kChoosingFile;
  WindowAction dialog{ActionKind::kOpenFileDialog};
  dialog.fileDialog = operation == DeviceOperation::kBackup ? FileDialogKind::kSave : FileDialogKind::kOpen;
  out.Push(dialog);
}

void DeviceOperationFlow::FileChosen(const std::u16string& file, WindowActions& out) {
  if (stage != Stage::kChoosingFile) return;
  stage = Stage::kIdle;
  if (!file.empty()) Start(file, out);
}

void DeviceOperationFlow::Start(const std::u16string& file, WindowActions& out) {
  // An arrival may have begun while the question or the dialog was open:
  // the user chose to go on, so they hear why nothing happens.
  if (operationBusy.exchange(true)) {
    WindowAction busy{ActionKind::kShowMessage};
    busy.messageSlot = kMessageMouseBusy;
    busy.captionSlot = CaptionOf(operation);
    out.Push(busy);
    return;
  }
  stage = Stage::kRunning;
  hasStatus = false;
  fraction.reset();
  secondLine.clear();
  for (int id : kOperationButtons) out.AddWithId(ActionKind::kDisableControl, id);
  for (int id : kLevelControls) out.AddWithId(ActionKind::kHideControl, id);
  out.Add(ActionKind::kSetControlsChanged);
  out.Add(ActionKind::kSetWaitCursor);
  WindowAction worker{ActionKind::kStartWorker};
  worker.operation = operation;
  worker.text = file;
  out.Push(worker);
}

void DeviceOperationFlow::Status(const device::StatusTextSlot& slot, WindowActions& out) {
  if (!Running()) return;
  hasStatus = true;
  status = slot;
  out.RepaintRect(ProgressRepaintRect());
}

void DeviceOperationFlow::Progress(double value, WindowActions& out) {
  if (!Running() || fraction == value) return;
  fraction = value;
  out.RepaintRect(ProgressRepaintRect());
}

void DeviceOperationFlow::SecondLine(const std::u16string& text, WindowActions& out) {
  if (!Running() || secondLine == text) return;
  secondLine = text;
  out.RepaintRect(ProgressRepaintRect());
}

BusyOverlay DeviceOperationFlow::Panel(const UiText& texts) const {
  BusyOverlay panel;
  if (!Running()) return panel;
  panel.counter = 1;
  panel.rect = ProgressPanelRect();
  if (hasStatus) panel.text = StatusTextOf(texts, status);
  panel.secondLine = secondLine;
  panel.progress = fraction;
  return panel;
}

void DeviceOperationFlow::Ended(const OperationOutcome& outcome, bool levelPage, WindowActions& out) {
  if (!Running()) return;
  stage = Stage::kIdle;
  hasStatus = false;
  for (int id : kOperationButtons) out.AddWithId(ActionKind::kEnableControl, id);
  if (levelPage) {
    for (int id : kLevelControls) out.AddWithId(ActionKind::kShowControl, id);
  }
  out.Add(ActionKind::kSetControlsChanged);
  out.Add(ActionKind::kRestoreClassCursor);
  out.Add(ActionKind::kRepaintWindow);
  if (outcome.message.empty()) return;
  WindowAction message{ActionKind::kShowMessage};
  message.text = outcome.message;
  message.captionSlot = CaptionOf(operation);
  out.Push(message);
}

std::u16string StatusTextOf(const UiText& texts, const device::StatusTextSlot& slot) {
  const auto entry = static_cast<size_t>(slot.entry);
  if (slot.table == device::StatusTextSlot::Table::kLabel) {
    return entry < texts.labels.size() ? texts.labels[entry].text : std::u16string();
  }
  return entry < texts.messageTexts.size() ? texts.messageTexts[entry] : std::u16string();
}
