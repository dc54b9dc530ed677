#include "reliability/SweepOperation.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/Notice.h"
#include "base/IniFile.h"
#include "device/BackupFile.h"
#include "device/Connection.h"
#include "device/DeviceCommands.h"
#include "device/DeviceOperations.h"
#include "device/Discovery.h"
#include "device/MacroPlayers.h"
#include "device/MacroStore.h"
#include "device/SideCommands.h"
#include "macro/MacroLibrary.h"
#include "macro/SoftwareProfiles.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"
#include "support/QuietPlatform.h"
#include "support/VirtualSlotTimer.h"

namespace {

namespace fs = std::filesystem;
using device::LevelSteps;

// Collects every check that did not hold, in one line.
struct Checks {
  std::string problem;
  void Expect(bool ok, const std::string& what) {
    if (!ok) Add(what);
  }
  void Add(const std::string& what) {
    if (!what.empty()) problem += problem.empty() ? what : "; " + what;
  }
};

// One simulated mouse on a virtual clock, with the link to it and the fault.
struct World {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  device::HidLink link{port, clock};
  Fault fault = Fault::kNone;
  int from = 0;  // the fault's first request, as the mouse counts them
  int base = 0;
  std::int64_t startUs = 0;

  World() {
    port.AddMouse();
    port.SetLogging(false);
  }
  sim::SimulatedMouse& Mouse() { return port.Mouse(0); }
  device::DevicePath Path() const { return port.ConfigPath(0); }

  // The fault starts at request `k` from now (the next request is 0); the stopwatch too.
  void Arm(Fault kind, int k) {
    fault = kind;
    base = Mouse().RequestsServed();
    from = base + k;
    startUs = clock.NowMicroseconds();
    sim::MouseFaults& faults = Mouse().faults;
    if (kind == Fault::kUnplug) faults.unplugAfterRequests = from;
    if (kind == Fault::kBusy) faults.busyFromRequest = from;
    if (kind == Fault::kNeverReady) faults.neverReadyFromRequest = from;
    if (kind == Fault::kGarbage) faults.garbageFromRequest = from;
  }
  // A request has met the fault.
  bool Hit() { return fault == Fault::kUnplug ? !Mouse().Plugged() : fault != Fault::kNone && Mouse().RequestsServed() > from; }
  // The fault makes feature requests fail (a garbling mouse still does what it is asked).
  bool FailsRequests() const { return fault != Fault::kNone && fault != Fault::kGarbage; }
  void Stop(CaseOutcome& outcome) {
    outcome.requests = Mouse().RequestsServed() - base;
    outcome.virtualUs = clock.NowMicroseconds() - startUs;
  }
};

LevelSteps MouseLevel(const sim::SimulatedMouse& mouse, int level) {
  const sim::Level& l = mouse.levels[static_cast<std::size_t>(level)];
  auto scaled = [](int step, int numerator, int denominator) {
    return static_cast<std::uint8_t>(std::min(255, step * numerator / (denominator == 0 ? 1 : denominator)));
  };
  return {scaled(l.step[0], l.numerator[0], l.denominator[0]), scaled(l.step[1], l.numerator[1], l.denominator[1])};
}

bool Same(const LevelSteps& a, const LevelSteps& b) { return a.x == b.x && a.y == b.y; }

std::string Steps(const LevelSteps& s) { return std::to_string(s.x) + "/" + std::to_string(s.y); }

// Memory, levels, names, buttons and profile values unlike a fresh mouse's
// and unlike another seed's.
void Fill(sim::SimulatedMouse& mouse, int seed) {
  for (std::size_t i = 0; i < mouse.memory.size(); ++i) {
    mouse.memory[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(seed) * 13 + i / 256);
  }
  for (std::size_t level = 0; level < mouse.levels.size(); ++level) {
    const auto x = static_cast<std::uint8_t>(3 + 9 * level + static_cast<std::size_t>(seed));
    mouse.levels[level].step = {x, static_cast<std::uint8_t>(x + level)};
  }
  for (std::size_t profile = 0; profile < mouse.names.size(); ++profile) {
    mouse.names[profile] = device::ProfileNameToBytes(u"mouse " + std::u16string(1, static_cast<char16_t>(u'a' + profile)));
    mouse.profileValues[profile] = {9, 9, 9};
    for (auto& function : mouse.buttonFunctions[profile]) function = {1, 0x0102};
  }
}

// A backup of another mouse: what a restore writes.
device::BackupFile OtherMouse() {
  device::BackupFile backup;
  for (std::size_t i = 0; i < backup.image.size(); ++i) backup.image[i] = static_cast<std::uint8_t>(i * 5 + 1 + i / 512);
  backup.levels = {{{7, 7}, {14, 21}, {28, 28}, {44, 50}}};
  for (std::size_t p = 0; p < backup.names.size(); ++p) {
    backup.names[p] = u"other " + std::u16string(1, static_cast<char16_t>(u'0' + p));
  }
  return backup;
}

std::vector<std::uint8_t> Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// True when the mouse holds `backup` whole.
bool Holds(const sim::SimulatedMouse& mouse, const device::BackupFile& backup) {
  if (!std::equal(backup.image.begin(), backup.image.end(), mouse.memory.begin())) return false;
  for (int level = 0; level < device::kBackupLevels; ++level) {
    if (!Same(MouseLevel(mouse, level), backup.levels[static_cast<std::size_t>(level)])) return false;
  }
  for (std::size_t p = 0; p < backup.names.size(); ++p) {
    if (device::ProfileNameFromBytes(mouse.names[p]) != backup.names[p]) return false;
  }
  return true;
}

// The mouse plugged in again without its fault: a fresh connection finds it
// and reads a level. Empty when it does.
std::string Reconnected(World& world) {
  world.Mouse().faults = {};
  world.port.Replug(0);
  device::Discover(world.link);
  if (world.link.DeviceCount() != 1) return "a fresh connection did not find the mouse";
  LevelSteps steps;
  if (device::ReadLevel(world.link, world.Path(), 0, steps) != 1 || !Same(steps, MouseLevel(world.Mouse(), 0))) {
    return "a fresh connection could not read level 0";
  }
  const auto errors = world.port.ProtocolErrors();
  if (!errors.empty()) return "the mouse found a protocol error: " + errors.front();
  return {};
}

// The main window of the long operations, whose arrival finds the mice again.
struct Window final : device::OperationProgress, device::OperationHost {
  explicit Window(World& w) : world(w), path(w.Path()) {}
  void ShowFraction(double) override {}
  void ShowStatus(device::OperationStatus, const std::u16string&) override {}
  void ShowSecondLine(const std::u16string&) override {}
  void RepaintWindow() override {}
  device::DevicePath CurrentPath() override { return path; }
  void DeviceArrival() override {
    ++arrivals;
    hitBeforeArrival = world.Hit();
    device::Discover(world.link);
    path = world.link.DeviceCount() > 0 ? world.Path() : device::DevicePath{};
  }
  void StoreLevelSteps(const std::array<LevelSteps, 4>&) override {}
  World& world;
  device::DevicePath path;
  int arrivals = 0;
  bool hitBeforeArrival = false;
};

// The user is told "completed" (and what was skipped at most).
bool NoticeSaysCompleted(const device::OperationResult& result) {
  static const UiText texts = LoadUiText(IniFile(), static_cast<int>(kMacroAreaBytes));
  return OperationNotice(texts, result).text.rfind(texts.messageTexts[kMessageCompleted], 0) == 0;
}

// What a long operation's result must say, `hit` telling whether one of its
// own requests met the fault.
void JudgeResult(Checks& checks, const World& world, const device::OperationResult& result, bool complete, bool hit) {
  if (!hit) checks.Expect(complete, "not complete though no request failed");
  checks.Expect(NoticeSaysCompleted(result) == complete,
                complete ? "the user is not told it completed" : "the user is told it completed, but it did not");
  if (hit && world.FailsRequests()) checks.Expect(!complete, "reported complete though a request failed");
  if (hit && world.fault == Fault::kUnplug) checks.Expect(result.mouseGone, "the unplug is not reported as the mouse gone");
  if (hit && (world.fault == Fault::kBusy || world.fault == Fault::kNeverReady)) {
    checks.Expect(!result.mouseGone && !result.noMouse, "a mouse still plugged in is reported gone");
  }
}

// A long operation's case: a filled, discovered mouse and the window.
struct LongCase {
  World world;
  Window window{world};
  const device::OperationTexts texts;
  const device::OperationContext context{world.link, window, window, texts, nullptr};
  sim::SimulatedMouse& mouse = world.Mouse();
  const int commits = mouse.settingsCommits;
  Checks checks;
  CaseOutcome outcome;

  LongCase() {
    Fill(mouse, 1);
    device::Discover(world.link);
  }
  // Judges the result after the operation; `complete`: it says it did all.
  void Judge(const device::OperationResult& result, bool complete, bool hit) {
    world.Stop(outcome);
    JudgeResult(checks, world, result, complete, hit);
    if (complete && result.kind != device::OperationKind::kBackup) {
      checks.Expect(mouse.settingsCommits == commits + 1, "reported complete without a commit");
    }
    checks.Expect(window.arrivals == (result.kind == device::OperationKind::kBackup ? 0 : 1), "wrong number of arrivals");
  }
  CaseOutcome Finish() {
    checks.Add(Reconnected(world));
    outcome.problem = checks.problem;
    return outcome;
  }
};

CaseOutcome RunBackup(Fault fault, int k, const fs::path& folder) {
  LongCase c;
  const fs::path file = folder / "backup.mbf";
  device::SaveBackupFile(file, OtherMouse());
  const std::vector<std::uint8_t> before = Bytes(file);
  c.world.Arm(fault, k);
  const device::OperationResult result = device::Backup(c.context, file);
  const bool complete = !result.Failed() && result.fileWritten;
  c.Judge(result, complete, c.world.Hit());
  device::BackupFile saved;
  if (complete) {
    c.checks.Expect(device::LoadBackupFile(file, saved) == 1, "the file written does not load");
    // A garbling mouse's answers cannot be told from its memory.
    if (fault != Fault::kGarbage) c.checks.Expect(Holds(c.mouse, saved), "the file is not what the mouse holds");
  } else {
    c.checks.Expect(Bytes(file) == before, "a failed backup changed the old file");
  }
  return c.Finish();
}

CaseOutcome RunRestore(Fault fault, int k, const fs::path& folder) {
  LongCase c;
  const fs::path file = folder / "restore.mbf";
  device::SaveBackupFile(file, OtherMouse());
  c.world.Arm(fault, k);
  const device::OperationResult result = device::Restore(c.context, file);
  const bool complete = !result.Failed() && result.commits == 1;
  c.Judge(result, complete, c.window.hitBeforeArrival);
  if (complete) c.checks.Expect(Holds(c.mouse, OtherMouse()), "reported complete, but the mouse does not hold the file");
  return c.Finish();
}

// What differs from what a reset leaves in the mouse; empty when nothing.
std::string ResetMismatch(const sim::SimulatedMouse& mouse) {
  for (std::size_t p = 0; p < device::kResetProfiles; ++p) {
    for (const sim::ButtonFunction& f : mouse.buttonFunctions[p]) {
      if (f.kind != 0 || f.code != device::kOwnFunction) return "a button kept its function";
    }
    if (mouse.names[p] != device::ProfileNameBytes{}) return "a profile kept its name";
    if (mouse.profileValues[p] != device::kDefaultProfileValues[p]) return "profile values not reset";
  }
  for (std::size_t at = 0; at < device::kDirectoryEntries * device::kDirectoryEntrySize; at += device::kDirectoryEntrySize) {
    if (mouse.memory[at] != 0xFF || mouse.memory[at + 1] != 0xFF) return "a directory entry kept";
  }
  for (int level = 0; level < 4; ++level) {
    const std::uint8_t step = device::kDefaultLevelSteps[static_cast<std::size_t>(level)];
    if (!Same(MouseLevel(mouse, level), {step, step})) return "a level not reset";
  }
  return {};
}

CaseOutcome RunReset(Fault fault, int k, const fs::path&) {
  LongCase c;
  c.world.Arm(fault, k);
  const device::OperationResult result = device::Reset(c.context);
  const bool complete = !result.Failed() && result.commits == 1;
  c.Judge(result, complete, c.window.hitBeforeArrival);
  if (complete) c.checks.Add(ResetMismatch(c.mouse));
  return c.Finish();
}

// The window's side of the connection: what the arrival ended with.
struct ArrivalEvents final : device::ConnectionEvents {
  void RescanWanted(int) override {}
  void ArrivalEnded(bool found) override {
    ++ended;
    lastFound = found;
  }
  void MouseLost() override { ++lost; }
  void LevelChangedOnMouse(int) override {}
  void SettingsChanged() override {}
  bool CreateTiltMutex() override { return false; }
  int ended = 0;
  bool lastFound = false;
  int lost = 0;
};

// The levels the connection holds match the mouse's, or say why not.
std::string LevelsDiffer(device::Connection& connection, const sim::SimulatedMouse& mouse, bool zeroAllowed) {
  const device::LevelTable levels = connection.LevelSteps.Get();
  for (int level = 0; level < device::kLevelCount; ++level) {
    const LevelSteps read = levels[static_cast<std::size_t>(level)];
    if (Same(read, MouseLevel(mouse, level)) || (zeroAllowed && Same(read, {}))) continue;
    return "level " + std::to_string(level) + " holds " + Steps(read) + ", the mouse " + Steps(MouseLevel(mouse, level));
  }
  return {};
}

CaseOutcome RunArrival(Fault fault, int k, const fs::path& folder) {
  World world;
  sim::SimulatedMouse& mouse = world.Mouse();
  Fill(mouse, 1);
  mouse.currentLevel = 2;
  MacroLibrary library;
  SoftwareProfiles profiles(library, folder / "macro.dat");
  ArrivalEvents events;
  NoHostInput host;
  NoSlotTimers timers;
  device::MacroPlayers players(world.link, host, timers);
  device::Connection connection(world.link, events, profiles, players);

  CaseOutcome outcome;
  world.Arm(fault, k);
  connection.OperationBusy.store(true);
  connection.DeviceArrival();
  world.Stop(outcome);
  Checks checks;
  const bool hit = world.Hit();
  const bool found = !connection.CurrentPath.Get().empty();
  checks.Expect(events.ended == 1 && events.lastFound == found, "the window was not told how the arrival ended");
  checks.Expect(!connection.ArrivalBusy.load() && !connection.OperationBusy.load(), "the arrival left a busy flag set");
  if (!hit) {
    checks.Expect(found, "no mouse found though no request failed");
    checks.Expect(connection.CurrentLevelIndex.load() == 2, "the current level is not the mouse's");
    checks.Expect(mouse.masked, "the button masks were not sent");
  }
  if (found && fault != Fault::kGarbage) {
    const std::string differ = LevelsDiffer(connection, mouse, true);
    checks.Expect(differ.empty(), differ);
  }
  // The system then says that devices changed.
  connection.OnDeviceChange(device::kDevNodesChanged);
  if (!mouse.Plugged()) {
    checks.Expect(connection.CurrentPath.Get().empty() && world.link.DeviceCount() == 0, "an unplugged mouse is still current");
    checks.Expect(!found || events.lost == 1, "the window was not told that the mouse is gone");
  } else if (found && fault != Fault::kGarbage) {
    checks.Expect(!connection.CurrentPath.Get().empty(), "a mouse still plugged in was dropped");
  }

  mouse.faults = {};
  world.port.Replug(0);
  connection.DeviceArrival();
  checks.Expect(!connection.CurrentPath.Get().empty(), "a fresh arrival did not find the mouse");
  const std::string differ = LevelsDiffer(connection, mouse, false);
  checks.Expect(differ.empty(), "after a fresh arrival " + differ);
  const auto errors = world.port.ProtocolErrors();
  checks.Expect(errors.empty(), "the mouse found a protocol error: " + (errors.empty() ? "" : errors.front()));
  outcome.problem = checks.problem;
  return outcome;
}

// A step of a short operation reported `taken`: it must be taken when no
// request of it met the fault, and not taken when one did and the fault
// fails requests of its kind; what it reports taken must be in the mouse.
void JudgeStep(Checks& checks, const char* step, bool taken, bool hit, bool failsStep, bool inMouse) {
  if (!hit) checks.Expect(taken, std::string(step) + " not taken though no request failed");
  if (hit && failsStep) checks.Expect(!taken, std::string(step) + " reported taken though a request failed");
  if (taken) checks.Expect(inMouse, std::string(step) + " reported taken, but not in the mouse");
}

CaseOutcome RunLevelWrite(Fault fault, int k, const fs::path&) {
  World world;
  sim::SimulatedMouse& mouse = world.Mouse();
  device::Discover(world.link);
  const int commits = mouse.settingsCommits;
  CaseOutcome outcome;
  world.Arm(fault, k);
  const int written = device::WriteLevel(world.link, world.Path(), 2, 30, 36);
  const bool hitWrite = world.Hit();
  const int committed = device::CommitSettings(world.link, world.Path());
  const bool hitCommit = world.Hit();
  world.Stop(outcome);
  Checks checks;
  JudgeStep(checks, "the level", written == 1, hitWrite, world.FailsRequests(), Same(MouseLevel(mouse, 2), {30, 36}));
  JudgeStep(checks, "the commit", committed == 1, hitCommit, world.FailsRequests(), mouse.settingsCommits == commits + 1);
  checks.Add(Reconnected(world));
  outcome.problem = checks.problem;
  return outcome;
}

CaseOutcome RunButtonAssignment(Fault fault, int k, const fs::path&) {
  World world;
  sim::SimulatedMouse& mouse = world.Mouse();
  device::Discover(world.link);
  CaseOutcome outcome;
  world.Arm(fault, k);
  // Button 3 as the user counts it is the mouse's 4.
  const int assigned = device::SetButtonFunction(world.link, world.Path(), 1, 3, device::kMacroFunction, 0x0900, nullptr);
  const bool hitAssign = world.Hit();
  const int masked = device::SetButtonMasks(world.link, world.Path(), 0xF7, 0x03);
  const bool hitMasks = world.Hit();
  world.Stop(outcome);
  Checks checks;
  const sim::ButtonFunction function = mouse.buttonFunctions[1][4];
  JudgeStep(checks, "the function", assigned == 1, hitAssign, world.FailsRequests(),
            function.kind == device::kMacroFunction && function.code == 0x0900);
  // Side commands are string reads, which only an unplug stops.
  JudgeStep(checks, "the masks", masked == 1, hitMasks, world.fault == Fault::kUnplug,
            mouse.masked && mouse.maskA == 0xF7 && mouse.maskB == 0x03);
  checks.Add(Reconnected(world));
  outcome.problem = checks.problem;
  return outcome;
}

// A looped macro that holds a key, a button and a usage across its waits and
// turns the host's wheel.
const std::vector<std::uint8_t> kLoopedMacro = {0x05, 0x83, 0x04, 0x21, 0x85, 0xE9, 0x00, 0x88, 0x05, 0x61,
                                                0x84, 0x04, 0x41, 0x85, 0x00, 0x00, 0x88, 0x05, 0x83, 0x16};
// Waits that pass before the player is stopped: two rounds and a half.
constexpr int kPlayedWaits = 25;

struct CountingHost final : device::HostInput {
  void Wheel(int) override { ++wheels; }
  std::atomic<int> wheels{0};
};

template <typename Fn>
bool WithinRealSeconds(int seconds, Fn done) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  return true;
}

CaseOutcome RunLoopedPlayer(Fault fault, int k, const fs::path&) {
  World world;
  sim::SimulatedMouse& mouse = world.Mouse();
  device::Discover(world.link);
  const auto record = world.link.FirstDevice();
  TimerGate gate;
  gate.freeWaits.store(kPlayedWaits);
  VirtualSlotTimerFactory timers(world.clock, gate);
  CountingHost host;
  device::MacroPlayers players(world.link, host, timers);
  MacroCommands macro;
  ParseMacroBytes(macro, kLoopedMacro.data(), kLoopedMacro.size());

  CaseOutcome outcome;
  Checks checks;
  world.Arm(fault, k);
  checks.Expect(players.StartSlot(*record, 0, macro, device::kPlayLoop) == 1, "the player did not start");
  checks.Expect(WithinRealSeconds(10, [&] { return players.Running() == 0 || gate.blocked.load() > 0; }),
                "the player neither ended nor waited");
  const bool endedByItself = players.Running() == 0;
  const bool hitWhilePlaying = world.Hit();
  players.StopAll();
  players.JoinAll();
  world.Stop(outcome);

  if (!hitWhilePlaying) {
    checks.Expect(!endedByItself, "the player ended though no request failed");
    checks.Expect(host.wheels.load() >= 2, "the host's wheel did not turn");
  }
  if (hitWhilePlaying && world.FailsRequests()) checks.Expect(endedByItself, "the player went on after a request failed");
  const device::TimerSlot& slot = (*record->timerSlots)[0];
  const bool slotClear = std::all_of(slot.keyDown.begin(), slot.keyDown.end(), [](std::int32_t down) { return down == 0; }) &&
                         slot.pressedButtons == 0 && slot.lastUsage == 0 && slot.runState.load() == device::TimerSlot::kIdle;
  checks.Expect(slotClear, "the slot still holds input or plays");
  // A mouse that takes requests is released; one that is gone or busy for
  // ever takes nothing more, and a replug starts it with nothing held.
  if (fault != Fault::kUnplug && fault != Fault::kBusy) {
    checks.Expect(mouse.keysDown.empty() && mouse.buttonsDown == 0 && mouse.lastUsage == 0,
                  "the mouse still holds a key, button or usage");
  }
  checks.Add(Reconnected(world));
  outcome.problem = checks.problem;
  return outcome;
}

}  // namespace

const char* FaultName(Fault fault) {
  static const char* const kNames[] = {"none", "unplug", "busy", "never-ready", "garbage"};
  return kNames[static_cast<int>(fault)];
}

const std::vector<SweepOperation>& SweepOperations() {
  static const std::vector<SweepOperation> operations = {
      {"arrival", RunArrival},   {"backup", RunBackup},       {"restore", RunRestore},
      {"reset", RunReset},       {"level", RunLevelWrite},    {"button", RunButtonAssignment},
      {"player", RunLoopedPlayer},
  };
  return operations;
}
