#pragma once
#include <windows.h>

#include <atomic>

#include "device/ConnectionView.h"

// What the connection asks of the main window, carried out on the window's
// own thread: arrival calls from its worker thread, so every change is posted
// and nothing here waits for the window, except the tilt mutex, which is
// created by the window thread so that it is not abandoned when the arrival
// thread ends.
class WindowConnectionView final : public device::ConnectionView {
 public:
  // The message the window hands to Apply; wParam is the action, lParam its value.
  static constexpr UINT kMessage = WM_APP + 3;
  static constexpr UINT kCreateTiltMutexMessage = WM_APP + 4;

  explicit WindowConnectionView(HWND window) : window(window) {}

  void EnableDeviceControls(bool enable) override;
  void EnableDpiControls(bool enable) override;
  void SetSliderRange(int top) override;
  bool TieChecked() override { return tieChecked; }
  void SetTieChecked(bool checked) override;
  void EnableYSlider(bool enable) override;
  void ShowLevelSteps(int x, int y) override;
  void Repaint(bool full) override;
  void StartTimer(int id, int periodMs) override;
  void StopTimer(int id) override;
  bool CreateTiltMutex() override;
  device::Page ShowingPage() override { return static_cast<device::Page>(page.load()); }

  // On the window's thread: carries out one posted action.
  void Apply(WPARAM action, LPARAM value);
  // The user clicked the tie box.
  void TieClicked(bool checked) { tieChecked = checked; }
  void SetShowingPage(int shown) { page = shown; }

  // The posted actions (wParam of kMessage).
  enum Action : WPARAM { kEnableDevice, kEnableDpi, kSliderRange, kTie, kEnableY, kSteps, kRepaint, kStartTimer, kStopTimer };

 private:
  void Post(Action action, LPARAM value) const;

  HWND window;
  std::atomic<bool> tieChecked{true};
  std::atomic<int> page{0};
};
