#pragma once
// The progress of a long device operation as one line on standard error,
// redrawn in place: "[##########..........]  50% Reading all data from
// eeprom...". Drawn only when standard error is a terminal, so logs and pipes
// get no carriage returns.
#include <ostream>
#include <string>

#include "device/DeviceOperations.h"

class ProgressBar final : public device::OperationProgress {
 public:
  ProgressBar(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  ~ProgressBar() override { Finish(); }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void ShowFraction(double fraction) override;
  void ShowStatus(device::OperationStatus status, const std::u16string& text) override;
  void ShowSecondLine(const std::u16string&) override {}
  void RepaintWindow() override {}

  // Ends the line, if one was drawn, so the next message starts clean.
  void Finish();

 private:
  void Draw();

  std::ostream& err_;
  bool enabled_;
  bool drawn_ = false;
  int percent_ = -1;
  std::string status_;
};
