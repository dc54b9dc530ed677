#include "sim/SimulatorStateFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace sim {
namespace {

constexpr const char* kHeader = "vantor simulated mice";
constexpr std::size_t kMemoryLine = 32;

// The part of a mouse that the file keeps.
struct KeptState {
  std::array<std::uint8_t, 8192> memory{};
  std::array<Level, kLevels> levels{};
  int currentLevel = 0;
  std::array<std::array<std::uint8_t, 16>, kProfiles> names{};
  std::array<std::array<ButtonFunction, kButtons>, kProfiles> buttonFunctions{};
  std::array<std::array<std::uint8_t, 3>, kProfiles> profileValues{};
  int settingsCommits = 0;
};

KeptState Take(const SimulatedMouse& mouse) {
  KeptState state;
  state.memory = mouse.memory;
  state.levels = mouse.levels;
  state.currentLevel = mouse.currentLevel;
  state.names = mouse.names;
  state.buttonFunctions = mouse.buttonFunctions;
  state.profileValues = mouse.profileValues;
  state.settingsCommits = mouse.settingsCommits;
  return state;
}

void Give(const KeptState& state, SimulatedMouse& mouse) {
  mouse.memory = state.memory;
  mouse.levels = state.levels;
  mouse.currentLevel = state.currentLevel;
  mouse.names = state.names;
  mouse.buttonFunctions = state.buttonFunctions;
  mouse.profileValues = state.profileValues;
  mouse.settingsCommits = state.settingsCommits;
}

std::string Hex(const std::uint8_t* data, std::size_t count) {
  std::string out;
  char pair[3];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(data[i]));
    out += pair;
  }
  return out;
}

bool FromHex(const std::string& text, std::uint8_t* out, std::size_t count) {
  if (text.size() != count * 2) return false;
  for (std::size_t i = 0; i < count; ++i) {
    unsigned value = 0;
    for (std::size_t k = 0; k < 2; ++k) {
      const char c = text[2 * i + k];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return false;
      value = value * 16 + static_cast<unsigned>(digit);
    }
    out[i] = static_cast<std::uint8_t>(value);
  }
  return true;
}

// Reads whole numbers in 0..most from the rest of the line, and nothing else.
bool Numbers(std::istringstream& line, std::vector<long>& out, std::size_t count, long most) {
  out.assign(count, 0);
  for (auto& value : out) {
    if (!(line >> value) || value < 0 || value > most) return false;
  }
  std::string extra;
  return !(line >> extra);
}

bool ParseMouse(std::istringstream& line, const std::string& word, KeptState& state) {
  std::vector<long> n;
  if (word == "level") {
    if (!Numbers(line, n, 7, 255) || n[0] >= kLevels) return false;
    Level& level = state.levels[static_cast<std::size_t>(n[0])];
    for (std::size_t axis = 0; axis < 2; ++axis) {
      level.step[axis] = static_cast<std::uint8_t>(n[1 + axis]);
      level.numerator[axis] = static_cast<std::uint8_t>(n[3 + 2 * axis]);
      level.denominator[axis] = static_cast<std::uint8_t>(n[4 + 2 * axis]);
    }
    return true;
  }
  if (word == "current") {
    if (!Numbers(line, n, 1, kLevels - 1)) return false;
    state.currentLevel = static_cast<int>(n[0]);
    return true;
  }
  if (word == "commits") {
    if (!Numbers(line, n, 1, 1000000000L)) return false;
    state.settingsCommits = static_cast<int>(n[0]);
    return true;
  }
  if (word == "values") {
    if (!Numbers(line, n, 4, 255) || n[0] >= kProfiles) return false;
    for (std::size_t i = 0; i < 3; ++i) {
      state.profileValues[static_cast<std::size_t>(n[0])][i] = static_cast<std::uint8_t>(n[1 + i]);
    }
    return true;
  }
  if (word == "button") {
    if (!Numbers(line, n, 4, 0xFFFF) || n[0] >= kProfiles || n[1] >= kButtons || n[2] > 255) return false;
    ButtonFunction& function =
        state.buttonFunctions[static_cast<std::size_t>(n[0])][static_cast<std::size_t>(n[1])];
    function.kind = static_cast<std::uint8_t>(n[2]);
    function.code = static_cast<std::uint16_t>(n[3]);
    return true;
  }
  std::string hex, extra;
  if (word == "name") {
    long profile = -1;
    if (!(line >> profile >> hex) || (line >> extra) || profile < 0 || profile >= kProfiles) return false;
    return FromHex(hex, state.names[static_cast<std::size_t>(profile)].data(), 16);
  }
  if (word == "memory") {
    std::string address;
    if (!(line >> address >> hex) || (line >> extra)) return false;
    std::uint8_t at[2];
    if (!FromHex(address, at, 2)) return false;
    const std::size_t offset = static_cast<std::size_t>(at[0]) * 256 + at[1];
    if (offset % kMemoryLine != 0 || offset + kMemoryLine > state.memory.size()) return false;
    return FromHex(hex, state.memory.data() + offset, kMemoryLine);
  }
  return false;
}

bool Fail(std::string* problem, int lineNumber, const std::string& what) {
  if (problem) *problem = "line " + std::to_string(lineNumber) + ": " + what;
  return false;
}

}  // namespace

bool LoadSimulatorState(const std::filesystem::path& file, SimulatedHidPort& port, std::string* problem) {
  std::error_code code;
  if (!std::filesystem::exists(file, code)) return true;
  std::ifstream in(file, std::ios::binary);
  if (!in) return Fail(problem, 0, "cannot be read");
  std::vector<KeptState> states;
  for (int i = 0; i < port.MouseCount(); ++i) states.push_back(Take(port.Mouse(i)));
  std::string text;
  int lineNumber = 0;
  int mouse = -1;
  while (std::getline(in, text)) {
    ++lineNumber;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (lineNumber == 1) {
      if (text != kHeader) return Fail(problem, 1, "not a simulator state file");
      continue;
    }
    if (text.empty()) continue;
    std::istringstream line(text);
    std::string word;
    line >> word;
    if (word == "mouse") {
      std::vector<long> n;
      if (!Numbers(line, n, 1, 1000)) return Fail(problem, lineNumber, "a mouse number is expected");
      if (n[0] >= port.MouseCount()) return Fail(problem, lineNumber, "there is no such simulated mouse");
      mouse = static_cast<int>(n[0]);
    } else if (mouse < 0 || !ParseMouse(line, word, states[static_cast<std::size_t>(mouse)])) {
      return Fail(problem, lineNumber, "cannot read \"" + text + "\"");
    }
  }
  if (lineNumber == 0) return Fail(problem, 0, "the file is empty");
  for (int i = 0; i < port.MouseCount(); ++i) Give(states[static_cast<std::size_t>(i)], port.Mouse(i));
  return true;
}

bool SaveSimulatorState(const std::filesystem::path& file, SimulatedHidPort& port, std::string* problem) {
  std::ostringstream out;
  out << kHeader << '\n';
  for (int i = 0; i < port.MouseCount(); ++i) {
    const KeptState state = Take(port.Mouse(i));
    out << "mouse " << i << '\n';
    for (int level = 0; level < kLevels; ++level) {
      const Level& l = state.levels[static_cast<std::size_t>(level)];
      out << "level " << level << ' ' << int{l.step[0]} << ' ' << int{l.step[1]} << ' ' << int{l.numerator[0]}
          << ' ' << int{l.denominator[0]} << ' ' << int{l.numerator[1]} << ' ' << int{l.denominator[1]} << '\n';
    }
    out << "current " << state.currentLevel << '\n' << "commits " << state.settingsCommits << '\n';
    for (int profile = 0; profile < kProfiles; ++profile) {
      const auto p = static_cast<std::size_t>(profile);
      out << "name " << profile << ' ' << Hex(state.names[p].data(), 16) << '\n';
      out << "values " << profile << ' ' << int{state.profileValues[p][0]} << ' ' << int{state.profileValues[p][1]}
          << ' ' << int{state.profileValues[p][2]} << '\n';
      for (int button = 0; button < kButtons; ++button) {
        const ButtonFunction& f = state.buttonFunctions[p][static_cast<std::size_t>(button)];
        out << "button " << profile << ' ' << button << ' ' << int{f.kind} << ' ' << f.code << '\n';
      }
    }
    for (std::size_t at = 0; at < state.memory.size(); at += kMemoryLine) {
      const std::uint8_t address[2] = {static_cast<std::uint8_t>(at >> 8), static_cast<std::uint8_t>(at)};
      out << "memory " << Hex(address, 2) << ' ' << Hex(state.memory.data() + at, kMemoryLine) << '\n';
    }
  }
  // Written beside the target and renamed, so a stopped run leaves the old state whole.
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  {
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    stream << out.str();
    stream.flush();
    if (!stream) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      if (problem) *problem = "cannot write " + temporary.u8string();
      return false;
    }
  }
  std::error_code code;
  std::filesystem::rename(temporary, file, code);
  if (code) {
    std::filesystem::remove(temporary, code);
    if (problem) *problem = "cannot replace " + file.u8string();
    return false;
  }
  return true;
}

}  // namespace sim
