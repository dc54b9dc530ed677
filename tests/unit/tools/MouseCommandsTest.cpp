#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "base/AtomicFile.h"
#include "base/Utf16.h"
#include "device/BackupFile.h"
#include "sim/SimulatedPortFactory.h"
#include "sim/SimulatorStateFile.h"
#include "tests/unit/device/SimRig.h"
#include "tests/support/TestSessionLock.h"
#include "tools/MouseCommands.h"
#include "tools/ToolCommands.h"
#include "macro/LibraryFile.h"
#include "macro/MacroFile.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::u16string> Args(std::initializer_list<std::string> args) {
  std::vector<std::u16string> wide;
  for (const std::string& arg : args) wide.push_back(text::FromUtf8(arg));
  return wide;
}

std::size_t CountStarting(const std::vector<std::string>& lines, const std::string& prefix) {
  return static_cast<std::size_t>(
      std::count_if(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
}

// The simulated mouse behind the tool's own --simulate, on a clock that never waits.
class FakePlatform final : public ToolPlatform {
 public:
  std::unique_ptr<device::HidPort> SystemPort() override { return nullptr; }
  device::Sleeper& Clock() override { return clock; }
  device::SessionLock* Session() override { return session; }
  bool ErrorIsTerminal() override { return terminal; }
  std::string Environment(const char* name) override { return environment[name]; }
  std::filesystem::path ProgramDir() override { return programDir; }

  sim::VirtualClock clock;
  device::SessionLock* session = nullptr;
  bool terminal = false;
  std::map<std::string, std::string> environment;
  std::filesystem::path programDir;
};

class MouseToolTest : public ::testing::Test {
 protected:
  int Run(std::initializer_list<std::string> args, const MouseCommandOptions& options = {}) {
    out.str("");
    err.str("");
    rig.Forget();
    return RunMouseCommand(Args(args), options, rig.link, out, err);
  }
  int Tool(std::initializer_list<std::string> args) {
    out.str("");
    err.str("");
    return RunTool(Args(args), out, err, &platform);
  }
  std::string P(const std::string& name) const { return (folder / name).u8string(); }

  SimRig rig;
  FakePlatform platform;
  TempFolder folder;
  std::ostringstream out;
  std::ostringstream err;
};

}  // namespace

// The requests each command sends, and what a later run finds, are the
// tool's end-to-end scenarios'; here, what the tool makes of the answers.
TEST_F(MouseToolTest, SetLevelCommitsAndShowsWhatTheMouseNowHoldsAndSelectLevelChecksThatItTook) {
  ASSERT_EQ(Run({"set-level", "2", "12", "30"}), kToolOk) << err.str();
  EXPECT_EQ(rig.Mouse().levels[2].step, (std::array<std::uint8_t, 2>{12, 30}));
  EXPECT_EQ(rig.Mouse().settingsCommits, 1);
  EXPECT_EQ(out.str(), "level 2: 12 x 30 steps (1200 x 3000 DPI)\n");

  MouseCommandOptions json;
  json.json = true;
  ASSERT_EQ(Run({"levels"}, json), kToolOk);
  const auto levels = nlohmann::json::parse(out.str());
  EXPECT_EQ(levels["levels"][2]["x"], 12);
  EXPECT_EQ(levels["levels"][2]["yDpi"], 3000);

  ASSERT_EQ(Run({"select-level", "3"}), kToolOk) << err.str();
  EXPECT_EQ(rig.Mouse().currentLevel, 3);
  rig.Mouse().faults.neverReady = true;
  EXPECT_EQ(Run({"select-level", "1"}), kToolNoMouse) << "a mouse that answers nothing is not found";
}

TEST_F(MouseToolTest, WrongArgumentsAreRefusedBeforeAnyRequestLeaves) {
  for (const auto& args : {std::initializer_list<std::string>{"set-level", "4", "5", "5"},
                           {"set-level", "0", "0", "5"},
                           {"set-level", "0", "5"},
                           {"select-level", "x"},
                           {"backup"},
                           {"directory", "extra"}}) {
    EXPECT_EQ(Run(args), kToolUsage) << *args.begin();
    EXPECT_TRUE(rig.Requests(0).empty()) << *args.begin();
  }
  // The top step depends on the mouse, so this one is checked after discovery.
  rig.Mouse().config.sensorKind = 0;
  EXPECT_EQ(Run({"set-level", "0", "51", "51"}), kToolUsage);
  EXPECT_EQ(CountStarting(rig.Requests(0), "set 01 83"), 0u);
  EXPECT_EQ(err.str(), "vantor-tool: the steps of mouse 3 run from 1 to 50\n");
}

TEST_F(MouseToolTest, ExitCodesTellNoMouseBadFileAndPartialFailureApart) {
  EXPECT_EQ(Run({"levels"}, {false, 9, false, {}}), kToolNoMouse);
  EXPECT_NE(err.str().find("no mouse has the number 9"), std::string::npos);

  const std::string wrong = P("wrong.mbf");
  std::vector<std::uint8_t> bytes = device::EncodeBackupFile(device::BackupFile{});
  bytes[4] = 'X';  // the magic's first character
  ASSERT_EQ(WriteFileAtomically(wrong, bytes), 1);
  EXPECT_EQ(Run({"restore", wrong}), kToolFileProblem);
  EXPECT_EQ(CountStarting(rig.Requests(0), "set 02"), 0u) << "nothing is written from a refused file";
  EXPECT_EQ(Run({"restore", P("missing.mbf")}), kToolUsage);
  EXPECT_EQ(Run({"backup", P("no-folder/b.mbf")}), kToolUsage);

  rig.Mouse().faults.unplugAfterRequests = rig.Mouse().RequestsServed() + 600;
  EXPECT_EQ(Run({"backup", P("cut.mbf")}), kToolPartial);
  EXPECT_FALSE(fs::exists(P("cut.mbf"))) << "a backup cut short leaves no file that looks whole";
  EXPECT_NE(err.str().find("the mouse went away part way"), std::string::npos) << err.str();

  SimRig empty(0);
  out.str("");
  EXPECT_EQ(RunMouseCommand(Args({"devices"}), {}, empty.link, out, err), kToolNoMouse);
}

// What a backup and a restore carry is the operations' own; here, what the tool says about them.
TEST_F(MouseToolTest, BackupAndRestoreReportAsJsonAndDrawAProgressBar) {
  rig.Mouse().memory[0x1FFF] = 0xA5;
  MouseCommandOptions options;
  options.json = true;
  ASSERT_EQ(Run({"backup", P("a.mbf")}, options), kToolOk) << err.str();
  const auto report = nlohmann::json::parse(out.str());
  EXPECT_EQ(report["ok"], true);
  EXPECT_EQ(report["memoryBytes"], 8192);
  device::BackupFile backup;
  ASSERT_EQ(device::LoadBackupFile(P("a.mbf"), backup), 1);
  EXPECT_EQ(backup.image[0x1FFF], 0xA5);

  rig.Mouse().memory.fill(0);
  options.progress = true;
  ASSERT_EQ(Run({"restore", P("a.mbf")}, options), kToolOk) << err.str();
  EXPECT_EQ(rig.Mouse().memory[0x1FFF], 0xA5);
  EXPECT_NE(err.str().find("\r[##############################] 100% Waiting..."), std::string::npos) << err.str();
  EXPECT_EQ(err.str().back(), '\n') << "the bar's line is ended before anything else is said";
}

TEST_F(MouseToolTest, ResetReportsWhatTheMouseTook) {
  rig.Mouse().levels[0].step = {30, 30};
  ASSERT_EQ(Run({"reset"}), kToolOk) << err.str();
  EXPECT_EQ(out.str(),
            "mouse 3 reset (4 DPI levels, 5 profile names, 60 button functions, 64 directory entries, 5 profile "
            "values)\n");
  EXPECT_EQ(rig.Mouse().levels[0].step[0], 4);
}

TEST_F(MouseToolTest, RegistersShowsTheThreeDiagnosticRegistersOrSaysNoMouse) {
  rig.Mouse().registers[0x00] = 0x1A;
  rig.Mouse().registers[0x01] = 0x02;
  rig.Mouse().registers[0x20] = 0xC5;
  const int before = rig.Mouse().RequestsServed();
  ASSERT_EQ(Run({"registers"}), kToolOk) << err.str();
  const int used = rig.Mouse().RequestsServed() - before;
  EXPECT_EQ(out.str(), "register 00: 1A\nregister 01: 02\nregister 20: C5\n");

  MouseCommandOptions json;
  json.json = true;
  ASSERT_EQ(Run({"registers"}, json), kToolOk) << err.str();
  EXPECT_EQ(nlohmann::json::parse(out.str())["registers"][2]["value"], 0xC5);

  // The mouse goes away before it answers the last read: no values at all.
  rig.Mouse().faults.unplugAfterRequests = rig.Mouse().RequestsServed() + used - 1;
  EXPECT_EQ(Run({"registers"}), kToolNoMouse);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "vantor-tool: no mouse answered; register 20 could not be read\n");
}

TEST_F(MouseToolTest, DirectoryListsEachMacrosModeAndNamesTheEntriesItLeavesOut) {
  std::uint8_t* entry = rig.Mouse().memory.data() + 3 * 32;
  std::fill(entry, entry + 64, 0);
  entry[2] = 4;  // start 0, end 4
  entry[4] = 'c';
  entry[32] = 9, entry[34] = 8, entry[36] = 'b';  // entry 4: 9 to 8
  rig.Mouse().memory[2048] = 0x05;
  ASSERT_EQ(Run({"directory"}), kToolOk) << err.str();
  EXPECT_EQ(out.str(), " 3      0-4         5 bytes  Loop mode         c\n1 macro, 5 of 5888 bytes used, 5883 free\n");
  EXPECT_EQ(err.str(), "note: entry 4 (b) left out: its end 8 lies before its start 9\n");
  EXPECT_EQ(CountStarting(rig.Requests(0), "set 02 00"), 293u + 1u) << "the directory, then the mode byte";
  ASSERT_EQ(Run({"directory"}, MouseCommandOptions{true, 0, false, {}}), kToolOk);
  const auto json = nlohmann::json::parse(out.str());
  EXPECT_EQ(json["macros"][0]["mode"], "Loop mode");
  EXPECT_EQ(json["leftOut"][0]["reason"], "its end 8 lies before its start 9");
}

TEST_F(MouseToolTest, ADamagedSimulatorStateIsRefusedWhole) {
  const std::string state = "--simulate=" + P("mouse.state");
  ASSERT_EQ(Tool({state, "set-level", "1", "7", "9"}), kToolOk) << err.str();
  std::vector<std::uint8_t> damaged;
  ASSERT_EQ(ReadFileBytes(P("mouse.state"), damaged), FileReadResult::kRead);
  const std::string text(damaged.begin(), damaged.end());
  const std::size_t memory = text.find("memory 0900 ");
  ASSERT_NE(memory, std::string::npos);
  damaged[memory + 12] = 'Z';
  ASSERT_EQ(WriteFileAtomically(P("mouse.state"), damaged), 1);
  EXPECT_EQ(Tool({state, "levels"}), kToolUsage);
  EXPECT_NE(err.str().find("mouse.state: line "), std::string::npos) << err.str();
  sim::SimulatedHidPort port;
  port.AddMouse();
  EXPECT_FALSE(sim::LoadSimulatorState(P("mouse.state"), port));
  EXPECT_EQ(port.Mouse(0).levels[1].step[0], 10) << "nothing of a damaged state is taken";
}

TEST_F(MouseToolTest, OnlyMouseCommandsTakeOptionsAndTheyNeedAPlatform) {
  EXPECT_EQ(Tool({"--simulate", "--mouse=3", "levels"}), kToolNoMouse) << "one mouse, numbered 2";
  EXPECT_EQ(Tool({"--simulate2", "--json", "devices"}), kToolOk);
  EXPECT_EQ(nlohmann::json::parse(out.str())["mice"][1]["number"], 3);
  EXPECT_EQ(Tool({"--simulate2", "--mouse=3", "--json", "levels"}), kToolOk) << err.str();
  EXPECT_EQ(nlohmann::json::parse(out.str())["mouse"], 3);
  EXPECT_EQ(Tool({"--simulate", "--frobnicate", "levels"}), kToolUsage);
  EXPECT_EQ(Tool({"levels"}), kToolNoMouse) << "this platform reaches no real mouse";
  EXPECT_EQ(RunTool(Args({"--simulate", "levels"}), out, err), kToolUsage);
}


TEST_F(MouseToolTest, WaitsWithAMessageWhileAnotherProgramHoldsTheMouseAndHoldsItThroughout) {
  TestSessionLock session;
  platform.session = &session;
  std::promise<void> held, release;
  std::thread window([&] {
    session.Acquire(-1);
    held.set_value();
    release.get_future().wait();
    session.Release();
  });
  held.get_future().wait();
  auto run = std::async(std::launch::async, [&] { return Tool({"--simulate", "select-level", "1"}); });
  EXPECT_EQ(run.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout) << "the tool waits";
  release.set_value();
  window.join();
  EXPECT_EQ(run.get(), kToolOk);
  EXPECT_EQ(err.str(), "vantor-tool: another program is using the mouse; waiting until it is done...\n");
  EXPECT_EQ(session.Freed(), 2) << "the window once, the tool once: not between its requests";
  EXPECT_TRUE(session.Acquire(0)) << "the tool gave the session back";
  session.Release();
}

TEST_F(MouseToolTest, StoresRemovesAndPacksMacrosFromMacroFiles) {
  MacroCommands commands = NewMacro();
  MacroCommand key;
  DecodeCommand(std::array<std::uint8_t, 5>{0x83, 0x04, 0, 0, 0}.data(), key);
  commands.push_back(key);
  Renumber(commands);
  ASSERT_EQ(WriteFileAtomically(P("key A.mf"), SerializeMacroFile(commands)), 1);
  EXPECT_EQ(Run({"store", P("key A.mf")}), kToolOk) << err.str();
  EXPECT_EQ(out.str(), "key A: stored in entry 0 at 0 (4 bytes, 1 directory entries, 0 button functions written)\n");
  EXPECT_EQ(std::vector<std::uint8_t>(rig.Mouse().memory.begin() + 2048, rig.Mouse().memory.begin() + 2052),
            (std::vector<std::uint8_t>{0x04, 0x83, 0x04, 0x00}))
      << "the mouse gets the end mark";
  ASSERT_EQ(Run({"store", P("key A.mf")}), kToolOk);
  EXPECT_NE(err.str().find("every button of profiles 0 to 4 was given its own function back"), std::string::npos);
  EXPECT_EQ(Run({"defrag"}, MouseCommandOptions{true, 0, false, {}}), kToolOk);
  EXPECT_EQ(nlohmann::json::parse(out.str())["moves"], 0);
  EXPECT_EQ(Run({"remove", "64"}), kToolUsage);
  EXPECT_EQ(rig.Requests(), std::vector<std::string>{}) << "refused before any request";
  EXPECT_EQ(Run({"remove", "0"}), kToolOk) << err.str();
  EXPECT_EQ(Run({"remove", "0"}), kToolUsage);
  EXPECT_EQ(err.str(), "vantor-tool: entry 0 holds no macro\n");
  EXPECT_EQ(Run({"store", P("missing.mf")}), kToolUsage);
}

TEST_F(MouseToolTest, StoresAMacroOfTheLibraryByItsExactName) {
  MacroLibrary library;
  library.AddEntry(u"twice", false, 0, 0, NewMacro());
  library.AddEntry(u"twice", false, 0, 0, NewMacro());
  MacroCommands keys = NewMacro();
  keys.push_back({1, 2, {0x83, 0x05}});
  library.AddEntry(u"key B", false, 0, 0, keys);
  ASSERT_EQ(WriteFileAtomically(folder / "macro.dat", SerializeLibrary(library)), 1);
  platform.programDir = folder;
  ASSERT_EQ(Tool({"--simulate", "store", "key B"}), kToolOk) << err.str();
  // The simulated mouse holds sample macros; the size tells the library's macro arrived.
  EXPECT_EQ(out.str().rfind("key B: stored in entry ", 0), 0u) << out.str();
  EXPECT_NE(out.str().find(" (4 bytes, 1 directory entries"), std::string::npos) << out.str();
  EXPECT_EQ(Tool({"--simulate", "store", "key b"}), kToolUsage);
  EXPECT_EQ(err.str(), "vantor-tool: \"key b\" is no macro file, and no macro of the library " + P("macro.dat") +
                           " has that name\n");
  EXPECT_EQ(Tool({"--simulate", "store", "twice"}), kToolUsage);
  EXPECT_NE(err.str().find("2 macros of the library"), std::string::npos) << err.str();
  platform.programDir.clear();
  EXPECT_EQ(Tool({"--simulate", "store", "key B"}), kToolUsage) << "no library to look in";
}

TEST_F(MouseToolTest, HelpPrintsTheUsageAndANotUnderstoodLineGoesToStandardError) {
  for (const char* help : {"--help", "-h"}) {
    EXPECT_EQ(Tool({help}), kToolOk);
    EXPECT_EQ(out.str().rfind("usage: vantor-tool", 0), 0u);
    EXPECT_EQ(err.str(), "");
  }
  EXPECT_EQ(Tool({"--frobnicate"}), kToolUsage);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(err.str().find("usage: vantor-tool"), std::string::npos);
  EXPECT_NE(err.str().find("store NAME-OR-FILE | remove ENTRY | defrag"), std::string::npos);
  for (const char* line : {"frobnicate", "directory"}) {
    EXPECT_EQ(Tool({"--simulate", line, "extra"}), kToolUsage) << line;
    EXPECT_EQ(err.str().rfind("usage: vantor-tool", 0), 0u) << line;
  }
}
