#include "app/win/DeviceOperationWorker.h"

#include <algorithm>
#include <cmath>

#include "base/DiagLog.h"

namespace {

const char* NameOf(DeviceOperation operation) {
  switch (operation) {
    case DeviceOperation::kBackup:
      return "backup";
    case DeviceOperation::kRestore:
      return "restore";
    case DeviceOperation::kReset:
      return "reset";
  }
  return "operation";
}

}  // namespace

DeviceOperationWorker::~DeviceOperationWorker() {
  if (thread.joinable()) thread.join();
}

bool DeviceOperationWorker::Start(DeviceOperation operation, const std::u16string& file) {
  if (running || thread.joinable()) return false;
  running = true;
  lastFraction = -1;
  {
    std::lock_guard<std::mutex> hold(secondLineLock);
    secondLine.clear();
  }
  diag::Writef("%s started", NameOf(operation));
  thread = std::thread(&DeviceOperationWorker::Run, this, operation, std::filesystem::path(file));
  return true;
}

void DeviceOperationWorker::Run(DeviceOperation operation, std::filesystem::path file) {
  const device::OperationContext context{connection.Link(), *this, *this, texts};
  switch (operation) {
    case DeviceOperation::kBackup:
      result = device::Backup(context, file);
      break;
    case DeviceOperation::kRestore:
      result = device::Restore(context, file);
      break;
    case DeviceOperation::kReset:
      result = device::Reset(context);
      break;
  }
  diag::Writef("%s ended: %s (memory %d bytes, levels %d, names %d, failed requests %d)", NameOf(operation),
               result.Failed() ? "failed" : "done", result.memoryBytes, result.levels, result.names,
               result.failedRequests);
  running = false;
  PostMessageW(window, kEndedMessage, 0, 0);
}

device::OperationResult DeviceOperationWorker::Finish() {
  if (thread.joinable()) thread.join();
  return result;
}

void DeviceOperationWorker::WaitAnswering() {
  while (running) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      // A window on its way out shows no closing message.
      if (message.message != kEndedMessage) DispatchMessageW(&message);
    }
    Sleep(5);
  }
  if (thread.joinable()) thread.join();
}

std::u16string DeviceOperationWorker::SecondLine() const {
  std::lock_guard<std::mutex> hold(secondLineLock);
  return secondLine;
}

void DeviceOperationWorker::Post(Report report, LPARAM value) const {
  PostMessageW(window, kProgressMessage, report, value);
}

// A memory transfer reports every few bytes: the window hears of a step only
// when it moves the panel by a thousandth.
void DeviceOperationWorker::ShowFraction(double fraction) {
  const auto value = static_cast<LPARAM>(std::lround(std::clamp(fraction, 0.0, 1.0) * kFractionScale));
  if (value == lastFraction) return;
  lastFraction = value;
  Post(kFraction, value);
}

void DeviceOperationWorker::ShowStatus(device::OperationStatus status, const std::u16string&) {
  Post(kStatus, static_cast<LPARAM>(status));
}

void DeviceOperationWorker::ShowSecondLine(const std::u16string& text) {
  {
    std::lock_guard<std::mutex> hold(secondLineLock);
    secondLine = text;
  }
  Post(kSecondLine, 0);
}

void DeviceOperationWorker::RepaintWindow() { Post(kRepaintWindow, 0); }

device::DevicePath DeviceOperationWorker::CurrentPath() { return connection.CurrentPath.Get(); }

// The window's controls come back with the end message, once the result is
// there to show.
void DeviceOperationWorker::FinishOperation() { connection.OperationBusy = false; }

// Nothing of the per-mouse settings changes with a restore: the levels the
// page offers are read back from the mouse by the arrival at its end.
void DeviceOperationWorker::SaveSettings() {}

void DeviceOperationWorker::DisableDeviceControls() { view.EnableDeviceControls(false); }

// The arrival that follows runs under the busy flag as any arrival does.
void DeviceOperationWorker::LeaveResetState() { connection.OperationBusy = true; }

void DeviceOperationWorker::RefreshDirectory() {
  view.StartTimer(device::kMouseRefreshTimer, device::kMouseRefreshMs);
}

void DeviceOperationWorker::RefreshCurrentTab() { view.Repaint(true); }

void DeviceOperationWorker::DeviceArrival() { connection.DeviceArrival(); }

void DeviceOperationWorker::StoreLevelSteps(const std::array<device::LevelSteps, 4>& levels) {
  connection.LevelSteps.Set(levels);
  const int current = std::clamp(connection.CurrentLevelIndex.load(), 0, device::kLevelCount - 1);
  const device::LevelSteps& shown = levels[static_cast<size_t>(current)];
  view.ShowLevelSteps(shown.x, shown.y);
}
