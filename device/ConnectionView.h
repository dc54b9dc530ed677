#pragma once
// What the connection asks of the main window. The Win32 main window
// implements it; tests use a fake that records the calls. Arrival calls it
// from the arrival thread (or from the restore and reset workers), the
// presence check and the notifications from the window's thread, so an
// implementation must not block waiting for the window's thread.
namespace device {

// Timers of the main window that the connection starts and stops.
inline constexpr int kRescanTimer = 101;
inline constexpr int kLevelResyncTimer = 201;
inline constexpr int kMouseRefreshTimer = 1003;

inline constexpr int kRescanFirstMs = 200;
inline constexpr int kRescanRetryMs = 3000;
inline constexpr int kLevelResyncMs = 80;
inline constexpr int kMouseRefreshMs = 1;

// The pages of the main window, in tab order.
enum class Page { kButtons = 0, kDpi = 1, kMacros = 2 };

class ConnectionView {
 public:
  virtual ~ConnectionView() = default;

  // The twelve controls that need a mouse (they are disabled when none is found).
  virtual void EnableDeviceControls(bool enable) = 0;
  // The DPI sliders, the level pictures and the profile controls.
  virtual void EnableDpiControls(bool enable) = 0;
  // Both DPI sliders span 1 .. top.
  virtual void SetSliderRange(int top) = 0;
  // The box that ties the Y step to the X step.
  virtual bool TieChecked() = 0;
  virtual void SetTieChecked(bool checked) = 0;
  virtual void EnableYSlider(bool enable) = 0;
  // Sets both sliders to these steps and refreshes the DPI texts.
  virtual void ShowLevelSteps(int x, int y) = 0;
  // `full`: the whole surface is painted again, not only what changed.
  virtual void Repaint(bool full) = 0;
  // (Re)starts or stops a window timer.
  virtual void StartTimer(int id, int periodMs) = 0;
  virtual void StopTimer(int id) = 0;
  // Creates the named tilt mutex; true when this process now owns it.
  virtual bool CreateTiltMutex() = 0;
  virtual Page ShowingPage() = 0;
};

}  // namespace device
