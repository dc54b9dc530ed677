#pragma once
// The thread that runs one backup, restore or reset for the main window. It
// reaches the window only through posted messages: progress while it works,
// one message when it is done, after which the window joins it and takes its
// result. The thread is owned: it is joined before the worker goes.
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "app/WindowAction.h"
#include "device/Connection.h"
#include "device/ConnectionView.h"
#include "device/DeviceOperations.h"

class DeviceOperationWorker final : private device::OperationProgress, private device::OperationHost {
 public:
  // wParam: a Report; lParam: per mille (kFraction) or an OperationStatus (kStatus).
  static constexpr UINT kProgressMessage = WM_APP + 5;
  static constexpr UINT kEndedMessage = WM_APP + 6;
  enum Report : WPARAM { kFraction, kStatus, kSecondLine, kRepaintWindow };
  static constexpr double kFractionScale = 1000.0;

  // Every reference must outlive the worker.
  DeviceOperationWorker(HWND window, device::Connection& connection, device::ConnectionView& view)
      : window(window), connection(connection), view(view) {}
  ~DeviceOperationWorker();
  DeviceOperationWorker(const DeviceOperationWorker&) = delete;
  DeviceOperationWorker& operator=(const DeviceOperationWorker&) = delete;

  // `file` is the chosen backup file (none for a reset). False while another
  // operation's thread has not been joined.
  bool Start(DeviceOperation operation, const std::u16string& file);
  // On kEndedMessage: joins the thread and hands back what it did.
  device::OperationResult Finish();
  // The window is going: waits for a running operation while dispatching the
  // window's messages, since the arrival that ends a restore or a reset asks
  // the window's thread for the tilt mutex.
  void WaitAnswering();

  // The second line as the worker last set it.
  std::u16string SecondLine() const;

 private:
  void Run(DeviceOperation operation, std::filesystem::path file);
  void Post(Report report, LPARAM value) const;

  // OperationProgress
  void ShowFraction(double fraction) override;
  void ShowStatus(device::OperationStatus status, const std::u16string& text) override;
  void ShowSecondLine(const std::u16string& text) override;
  void RepaintWindow() override;
  // OperationHost
  device::DevicePath CurrentPath() override;
  void FinishOperation() override;
  void SaveSettings() override;
  void DisableDeviceControls() override;
  void LeaveResetState() override;
  void RefreshDirectory() override;
  void RefreshCurrentTab() override;
  void DeviceArrival() override;
  void StoreLevelSteps(const std::array<device::LevelSteps, 4>& levels) override;

  HWND window;
  device::Connection& connection;
  device::ConnectionView& view;
  std::thread thread;
  std::atomic<bool> running{false};
  device::OperationResult result;
  // The status texts are worded by the window from its own text table.
  const device::OperationTexts texts;
  LPARAM lastFraction = -1;  // worker thread only: what was last posted
  mutable std::mutex secondLineLock;
  std::u16string secondLine;
};
