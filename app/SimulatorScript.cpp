#include "app/SimulatorScript.h"

#include <cstdlib>
#include <sstream>

namespace {

constexpr int kMaxMice = 2;

bool ParseNumber(const std::string& word, long low, long high, int& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  const long parsed = std::strtol(word.c_str(), &end, 0);
  if (*end != '\0' || parsed < low || parsed > high) return false;
  value = static_cast<int>(parsed);
  return true;
}

struct Verb {
  const char* name;
  SimulatorAction::Kind kind;
  int arguments;  // after the verb
  long low;       // range of the value
  long high;
};

const Verb kVerbs[] = {
    {"wait", SimulatorAction::Kind::kWait, 1, 0, 600000},
    {"ready", SimulatorAction::Kind::kAwaitReady, 0, 0, 0},
    {"buttons", SimulatorAction::Kind::kButtons, 2, 0, 0xFFFF},
    {"wheel", SimulatorAction::Kind::kWheel, 2, -128, 127},
    {"tilt", SimulatorAction::Kind::kTilt, 2, -128, 127},
    {"level", SimulatorAction::Kind::kLevel, 2, 0, 255},
    {"unplug", SimulatorAction::Kind::kUnplug, 1, 0, 0},
    {"replug", SimulatorAction::Kind::kReplug, 1, 0, 0},
};

}  // namespace

SimulatorScript ParseSimulatorScript(const std::string& text) {
  SimulatorScript script;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> parts;
    for (std::string word; words >> word;) parts.push_back(word);
    if (parts.empty()) continue;
    const Verb* verb = nullptr;
    for (const Verb& candidate : kVerbs) {
      if (parts[0] == candidate.name) verb = &candidate;
    }
    const auto fail = [&](const std::string& why) {
      script.actions.clear();
      script.error = "line " + std::to_string(number) + ": " + why;
      return script;
    };
    if (!verb) return fail("unknown command \"" + parts[0] + "\"");
    if (static_cast<int>(parts.size()) != verb->arguments + 1) {
      return fail(std::string(verb->name) + " takes " + std::to_string(verb->arguments) + " number(s)");
    }
    SimulatorAction action;
    action.kind = verb->kind;
    if (verb->kind == SimulatorAction::Kind::kWait) {
      if (!ParseNumber(parts[1], verb->low, verb->high, action.value)) return fail("bad wait \"" + parts[1] + "\"");
    } else if (verb->arguments >= 1) {
      if (!ParseNumber(parts[1], 0, kMaxMice - 1, action.mouse)) return fail("bad mouse \"" + parts[1] + "\"");
      if (verb->arguments == 2 && !ParseNumber(parts[2], verb->low, verb->high, action.value)) {
        return fail("bad value \"" + parts[2] + "\"");
      }
    }
    script.actions.push_back(action);
  }
  return script;
}

std::uint32_t PackSimulatorAction(const SimulatorAction& action) { return static_cast<std::uint32_t>(action.kind); }

// The mouse in the top byte, the value as a signed 24-bit number below it, so
// that the pair also fits a 32-bit message parameter.
std::int64_t PackSimulatorValue(const SimulatorAction& action) {
  return (static_cast<std::int64_t>(action.mouse) << 24) | (static_cast<std::uint32_t>(action.value) & 0xFFFFFF);
}

bool UnpackSimulatorAction(std::uint32_t kind, std::int64_t packed, SimulatorAction& action) {
  if (kind > static_cast<std::uint32_t>(SimulatorAction::Kind::kReplug)) return false;
  action.kind = static_cast<SimulatorAction::Kind>(kind);
  action.mouse = static_cast<int>(packed >> 24);
  const auto low = static_cast<std::int32_t>(packed & 0xFFFFFF);
  action.value = low >= 0x800000 ? low - 0x1000000 : low;
  return action.mouse >= 0 && action.mouse < kMaxMice;
}
