#pragma once
// A simulated mouse plus a main window that writes down what the long device
// operations tell it, for the backup, restore and reset tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "base/Utf16.h"
#include "device/DeviceOperations.h"
#include "unit/device/SimRig.h"

struct FakeWindow final : device::OperationProgress, device::OperationHost {
  device::DevicePath path;
  // Every call but the fractions, in order, e.g. "status Waiting...".
  std::vector<std::string> calls;
  std::vector<double> fractions;
  std::vector<std::array<device::LevelSteps, 4>> storedLevels;

  void ShowFraction(double fraction) override { fractions.push_back(fraction); }
  void ShowStatus(device::OperationStatus, const std::u16string& text) override {
    calls.push_back("status " + text::ToUtf8(text));
  }
  void ShowSecondLine(const std::u16string& text) override {
    calls.push_back("second line '" + text::ToUtf8(text) + "'");
  }
  void RepaintWindow() override { calls.emplace_back("repaint"); }
  device::DevicePath CurrentPath() override { return path; }
  void FinishOperation() override { calls.emplace_back("finish"); }
  void SaveSettings() override { calls.emplace_back("save settings"); }
  void DisableDeviceControls() override { calls.emplace_back("disable controls"); }
  void LeaveResetState() override { calls.emplace_back("leave reset state"); }
  void RefreshDirectory() override { calls.emplace_back("refresh directory"); }
  void RefreshCurrentTab() override { calls.emplace_back("refresh tab"); }
  void DeviceArrival() override { calls.emplace_back("arrival"); }
  void StoreLevelSteps(const std::array<device::LevelSteps, 4>& levels) override {
    storedLevels.push_back(levels);
  }
};

struct RecordingButtonTable final : device::ButtonFunctionTable {
  std::vector<std::tuple<int, int, int, int>> entries;
  void Record(int profile, int button, std::uint8_t kind, std::uint16_t code) override {
    entries.emplace_back(profile, button, kind, code);
  }
};

struct OperationRig {
  SimRig rig;
  FakeWindow window;
  device::OperationTexts texts;
  RecordingButtonTable buttons;
  device::OperationContext context{rig.link, window, window, texts, &buttons};

  explicit OperationRig(int mice = 1) : rig(mice) {
    if (mice > 0) window.path = rig.Path();
  }
  // Points the operations at another simulated mouse.
  void Use(int mouse) { window.path = rig.Path(mouse); }
};

// A folder of its own under the system's temporary folder, removed at the end.
struct TempFolder {
  std::filesystem::path path;
  TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path = std::filesystem::temp_directory_path() /
           ("vantor-ops-" + std::string(test->test_suite_name()) + "-" + test->name());
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path operator/(const std::string& name) const { return path / name; }
};
