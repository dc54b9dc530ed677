#include "tools/ToolCommands.h"

#include <filesystem>
#include <fstream>

#include "base/AtomicFile.h"
#include "base/FilePlace.h"
#include "base/Utf16.h"
#include "device/ExchangeTimeLog.h"
#include "macro/LibraryFile.h"
#include "macro/ProfileRules.h"
#include "sim/SimulatedPortFactory.h"
#include "sim/SimulatorStateFile.h"
#include "tools/FileJson.h"
#include "tools/MouseCommands.h"
#include "tools/RulesCommands.h"

namespace {

constexpr const char* kUsage =
    "usage: vantor-tool show FILE        print a library, macro or backup file as JSON\n"
    "       vantor-tool check FILE       check a file; exit 0 when it is sound\n"
    "       vantor-tool build JSON OUT   write the file that a JSON description stands for\n"
    "       vantor-tool [--json] [--rules=FILE] rules [add PROGRAM PROFILE | remove PROGRAM |\n"
    "                             no-match stay|PROFILE]   the profile rules of the programs\n"
    "       vantor-tool [OPTIONS] devices | levels | set-level N X Y | select-level N |\n"
    "                             backup FILE | restore FILE | reset | directory | registers |\n"
    "                             store NAME-OR-FILE | remove ENTRY | defrag\n"
    "options of the mouse commands:\n"
    "       --json                 answer as JSON\n"
    "       --mouse=N              the mouse with device number N (default: the first found)\n"
    "       --simulate[=STATE]     a simulated mouse instead of the real one; STATE keeps its\n"
    "                              memory, levels and names from one run to the next\n"
    "       --simulate2[=STATE]    two simulated mice\n"
    "exit codes: 0 done, 1 bad file, 2 wrong arguments or unreadable file, 3 no mouse,\n"
    "            4 the mouse did not take every request\n";

// The options of the mouse commands, taken out of the arguments.
struct MouseRun {
  MouseCommandOptions options;
  bool simulate = false;
  int simulatedMice = 1;
  std::filesystem::path state;
  std::vector<std::u16string> args;
};

bool ParseMouseRun(const std::vector<std::u16string>& all, MouseRun& run, std::ostream& err) {
  for (const std::u16string& arg : all) {
    const std::string text = text::ToUtf8(arg);
    if (text.rfind("--", 0) != 0) {
      run.args.push_back(arg);
      continue;
    }
    const std::size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : text.substr(equals + 1);
    if (name == "--json" && equals == std::string::npos) {
      run.options.json = true;
    } else if (name == "--simulate" || name == "--simulate2") {
      run.simulate = true;
      run.simulatedMice = name == "--simulate2" ? 2 : 1;
      if (equals != std::string::npos) run.state = std::filesystem::path(arg.substr(equals + 1));
    } else if (name == "--mouse" && value.size() >= 1 && value.size() <= 2 &&
               value.find_first_not_of("0123456789") == std::string::npos && std::stoi(value) >= 1 &&
               std::stoi(value) <= 19) {
      run.options.mouseNumber = std::stoi(value);
    } else {
      err << "vantor-tool: unknown option " << text
          << (name == "--mouse" ? " (the device numbers run from 1 to 19)\n" : "\n") << kUsage;
      return false;
    }
  }
  return true;
}

int RunOnMouse(const MouseRun& run, ToolPlatform& platform, std::ostream& out, std::ostream& err) {
  std::unique_ptr<device::HidPort> port;
  sim::SimulatedHidPort* simulator = nullptr;
  if (run.simulate) {
    auto simulated = sim::MakeSimulatedHidPort(run.simulatedMice);
    std::string problem;
    if (!run.state.empty() && !sim::LoadSimulatorState(run.state, *simulated, &problem)) {
      err << run.state.u8string() << ": " << problem << '\n';
      return kToolUsage;
    }
    simulator = simulated.get();
    port = std::move(simulated);
  } else {
    port = platform.SystemPort();
    if (!port) {
      err << "vantor-tool: this build reaches no mouse but the simulated one (--simulate)\n";
      return kToolNoMouse;
    }
  }
  device::HidLink link(*port, platform.Clock());
  link.SetSessionLock(platform.Session(), [&err] {
    err << "vantor-tool: another program is using the mouse; waiting until it is done...\n" << std::flush;
  });
  device::ExchangeTimeLog times;
  const std::string timesFile = platform.Environment(device::kExchangeLogVariable);
  if (!timesFile.empty() && times.Open(std::filesystem::u8path(timesFile))) link.SetExchangeLog(&times);

  int code = RunMouseCommand(run.args, run.options, link, out, err);
  if (simulator) {
    std::string problem;
    if (!run.state.empty() && !sim::SaveSimulatorState(run.state, *simulator, &problem)) {
      err << run.state.u8string() << ": " << problem << '\n';
      if (code == kToolOk) code = kToolUsage;
    }
    const std::string logFile = platform.Environment("VANTOR_SIM_LOG");
    if (!logFile.empty()) {
      std::ofstream log(std::filesystem::u8path(logFile), std::ios::out | std::ios::trunc | std::ios::binary);
      for (int mouse = 0; mouse < simulator->MouseCount(); ++mouse) {
        for (const std::string& line : simulator->Requests(mouse)) log << mouse << ' ' << line << '\n';
      }
    }
  }
  return code;
}

std::string Name(const std::filesystem::path& path) { return path.u8string(); }

std::string ProblemLine(const std::filesystem::path& file, const std::vector<FileProblem>& problems) {
  std::string line = Name(file) + ": byte " + std::to_string(problems.front().offset) + ": " + problems.front().what;
  if (problems.size() > 1) {
    line +=
        " (and " + std::to_string(problems.size() - 1) + (problems.size() == 2 ? " more problem)" : " more problems)");
  }
  return line;
}

// The first problem of the bytes, then every macro directory entry the mouse
// cannot play: those are few, and each needs its own mending.
void WriteProblems(const std::filesystem::path& file, const FileDescription& description, const char* prefix,
                   std::ostream& err) {
  if (!description.problems.empty()) err << prefix << ProblemLine(file, description.problems) << '\n';
  for (const std::string& problem : description.entryProblems) err << prefix << Name(file) << ": " << problem << '\n';
}

bool ReadInput(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes, std::size_t most,
               std::ostream& err) {
  const FileReadResult read = ReadFileBytes(file, bytes, most);
  if (read == FileReadResult::kRead) return true;
  err << Name(file) << (read == FileReadResult::kMissing ? ": no such file\n" : ": cannot be read\n");
  return false;
}

int Show(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
  std::vector<std::uint8_t> bytes;
  if (!ReadInput(file, bytes, static_cast<std::size_t>(-1), err)) return kToolUsage;
  const FileDescription description = DescribeFile(bytes.data(), bytes.size(), &out);
  if (!description.readable) {
    err << ProblemLine(file, description.problems) << '\n';
    return kToolFileProblem;
  }
  WriteProblems(file, description, "note: ", err);
  return kToolOk;
}

int Check(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
  std::vector<std::uint8_t> bytes;
  if (!ReadInput(file, bytes, static_cast<std::size_t>(-1), err)) return kToolUsage;
  const FileDescription description = DescribeFile(bytes.data(), bytes.size());
  if (!description.problems.empty() || !description.entryProblems.empty()) {
    WriteProblems(file, description, "", err);
    return kToolFileProblem;
  }
  out << Name(file) << ": ok (" << FileKindName(description.kind) << " file, " << description.summary << ")\n";
  return kToolOk;
}

int Build(const std::filesystem::path& source, const std::filesystem::path& target, std::ostream& out,
          std::ostream& err) {
  std::vector<std::uint8_t> bytes;
  {
    std::vector<std::uint8_t> raw;
    if (!ReadInput(source, raw, kJsonMaxBytes + 1, err)) return kToolUsage;
    Json json;
    JsonError error;
    if (!ParseJson(std::string(raw.begin(), raw.end()), json, error) || !BuildFile(json, bytes, error)) {
      err << Name(source) << ": " << error.Text() << '\n';
      return kToolFileProblem;
    }
  }
  // Never write what the program could not read back.
  const FileDescription description = DescribeFile(bytes.data(), bytes.size());
  if (!description.readable) {
    err << Name(source) << ": the description gives a file that cannot be read: byte "
        << description.problems.front().offset << ": " << description.problems.front().what << '\n';
    return kToolFileProblem;
  }
  std::string why;
  if (!WriteFileAtomically(target, bytes, &why)) {
    err << Name(target) << ": not written: " << why << '\n';
    return kToolUsage;
  }
  WriteProblems(target, description, "note: ", err);
  out << Name(target) << ": written (" << FileKindName(description.kind) << " file, " << bytes.size() << " bytes)\n";
  return kToolOk;
}

// Where the window keeps one of its files, beside the program or in the
// user's folder; empty when the program's folder is unknown.
FilePlace OwnFilePlace(ToolPlatform* platform, const char16_t* fileName) {
  const std::filesystem::path programDir = platform ? platform->ProgramDir() : std::filesystem::path();
  if (programDir.empty()) return {};
  const std::string appData = platform->Environment("APPDATA");
  const std::filesystem::path userDir =
      appData.empty() ? std::filesystem::path() : std::filesystem::u8path(appData) / kUserFolderName;
  return ChooseFilePlace(programDir, FolderIsWritable(programDir), userDir, fileName);
}

// The rules file is the window's, unless --rules names one.
int RunRules(const std::vector<std::u16string>& all, std::ostream& out, std::ostream& err, ToolPlatform* platform) {
  const std::u16string kFileOption = u"--rules=";
  bool json = false;
  std::filesystem::path file;
  std::vector<std::u16string> args;
  for (const std::u16string& arg : all) {
    if (arg == u"--json") {
      json = true;
    } else if (arg.rfind(kFileOption, 0) == 0 && arg.size() > kFileOption.size()) {
      file = std::filesystem::path(arg.substr(kFileOption.size()));
    } else if (arg.rfind(u"--", 0) == 0) {
      err << "vantor-tool: unknown option " << text::ToUtf8(arg) << " (rules take --json and --rules=FILE)\n";
      return kToolUsage;
    } else {
      args.push_back(arg);
    }
  }
  FilePlace place{file, file};
  if (file.empty()) {
    place = OwnFilePlace(platform, kRulesFileName);
    if (place.readFrom.empty()) {
      err << "vantor-tool: name the rules file with --rules=FILE\n";
      return kToolUsage;
    }
  }
  return RunRulesCommand(args, json, place, out, err);
}

bool IsRulesCommand(const std::vector<std::u16string>& args) {
  for (const std::u16string& arg : args) {
    if (arg.rfind(u"--", 0) != 0) return arg == u"rules";
  }
  return false;
}

}  // namespace

int RunTool(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err, ToolPlatform* platform) {
  for (const std::u16string& arg : args) {
    if (arg == u"--help" || arg == u"-h") {
      out << kUsage;
      return kToolOk;
    }
  }
  if (IsRulesCommand(args)) return RunRules(args, out, err, platform);
  MouseRun run;
  if (!ParseMouseRun(args, run, err)) return kToolUsage;
  if (MouseCommandFits(run.args)) {
    run.options.progress = platform && platform->ErrorIsTerminal();
    // The library the window reads, for a macro stored by its name.
    if (run.args[0] == u"store") run.options.library = OwnFilePlace(platform, kLibraryFileName).readFrom;
    if (platform) return RunOnMouse(run, *platform, out, err);
    err << "vantor-tool: the mouse commands are not available here\n";
    return kToolUsage;
  }
  const std::string command = args.empty() ? std::string() : text::ToUtf8(args[0]);
  if (command == "show" && args.size() == 2) return Show(std::filesystem::path(args[1]), out, err);
  if (command == "check" && args.size() == 2) return Check(std::filesystem::path(args[1]), out, err);
  if (command == "build" && args.size() == 3) {
    return Build(std::filesystem::path(args[1]), std::filesystem::path(args[2]), out, err);
  }
  err << kUsage;
  return kToolUsage;
}
