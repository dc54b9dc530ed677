#pragma once
// A simulated mouse plus a main window that writes down what the long device
// operations tell it, for the backup, restore and reset tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "base/Utf16.h"
#include "support/TempFolder.h"
#include "device/DeviceOperations.h"
#include "unit/device/SimRig.h"

struct FakeWindow final : device::OperationProgress, device::OperationHost {
  device::DevicePath path;
  // Every call but the fractions, in order, e.g. "status Waiting...".
  std::vector<std::string> calls;
  std::vector<double> fractions;
  std::vector<std::array<device::LevelSteps, 4>> storedLevels;
  // Runs at every fraction shown, e.g. to bring a fault in half way.
  std::function<void(double)> onFraction;
  std::function<void()> onArrival;

  void ShowFraction(double fraction) override {
    fractions.push_back(fraction);
    if (onFraction) onFraction(fraction);
  }
  void ShowStatus(device::OperationStatus, const std::u16string& text) override {
    calls.push_back("status " + text::ToUtf8(text));
  }
  void ShowSecondLine(const std::u16string& text) override {
    calls.push_back("second line '" + text::ToUtf8(text) + "'");
  }
  void RepaintWindow() override { calls.emplace_back("repaint"); }
  device::DevicePath CurrentPath() override { return path; }
  void DeviceArrival() override {
    calls.emplace_back("arrival");
    if (onArrival) onArrival();
  }
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

// What an operation did, in one line: every count, then the flags that are set.
inline std::string Summary(const device::OperationResult& r) {
  std::string line = "memory " + std::to_string(r.memoryBytes) + ", levels " + std::to_string(r.levels) +
                     ", names " + std::to_string(r.names) + ", buttons " + std::to_string(r.buttons) +
                     ", entries " + std::to_string(r.directoryEntries) + ", values " +
                     std::to_string(r.profileValues) + ", commits " + std::to_string(r.commits) + ", failed " +
                     std::to_string(r.failedRequests);
  for (const auto& [set, name] : {std::pair{r.noMouse, "no mouse"}, {r.mouseGone, "mouse gone"},
                                  {r.memoryFailed, "memory failed"}, {r.fileFailed, "file failed"},
                                  {r.fileWritten, "file written"}}) {
    if (set) line += std::string(", ") + name;
  }
  return line;
}

// Gives a simulated mouse memory, levels and names that differ from a fresh
// mouse's and from another seed's. Profile 1's name uses all 16 bytes.
inline void FillMouse(sim::SimulatedMouse& mouse, int seed) {
  for (std::size_t i = 0; i < mouse.memory.size(); ++i) {
    mouse.memory[i] =
        static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(seed) * 13 + i / 256);
  }
  for (std::size_t level = 0; level < mouse.levels.size(); ++level) {
    const auto x = static_cast<std::uint8_t>(3 + 9 * level + static_cast<std::size_t>(seed));
    mouse.levels[level].step = {x, static_cast<std::uint8_t>(x + level)};
  }
  for (std::size_t profile = 0; profile < mouse.names.size(); ++profile) {
    mouse.names[profile] = {};
    mouse.names[profile][0] =
        static_cast<std::uint8_t>('A' + profile + static_cast<std::size_t>(seed));
    mouse.names[profile][2] = static_cast<std::uint8_t>('0' + profile);
  }
  for (std::size_t i = 0; i < 16; i += 2)
    mouse.names[1][i] = static_cast<std::uint8_t>('a' + i / 2);
  mouse.names[1][15] = 0x04;  // U+0468 in the last unit, with no zero after it
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
