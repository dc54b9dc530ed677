#include "tools/MouseCommands.h"

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>

#include "base/AtomicFile.h"
#include "base/Utf16.h"
#include "device/DeviceCommands.h"
#include "device/DeviceOperations.h"
#include "device/Discovery.h"
#include "device/DpiLevels.h"
#include "macro/MacroDirectory.h"
#include "device/MacroStore.h"
#include "device/MouseDirectory.h"
#include "macro/LibraryFile.h"
#include "macro/MacroFile.h"
#include "tools/JsonFields.h"
#include "tools/ProgressBar.h"
#include "tools/ToolCommands.h"

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

constexpr int kLevels = 4;

// The mouse's diagnostic registers, and the pause it needs before each answer.
constexpr std::uint8_t kDiagnosticRegisters[] = {0x00, 0x01, 0x20};
constexpr int kRegisterSettleMs = 10;

struct Command {
  const char* name;
  std::size_t arguments;
};
constexpr Command kCommands[] = {{"devices", 0}, {"levels", 0}, {"set-level", 3}, {"select-level", 1},
                                 {"backup", 1},  {"restore", 1}, {"reset", 0},    {"directory", 0},
                                 {"registers", 0}, {"store", 1},  {"remove", 1},  {"defrag", 0}};

void Print(std::ostream& out, const Json& json) {
  out << json.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

std::string Hex32(std::uint32_t value) {
  char text[12];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return text;
}

std::string Hex8(std::uint8_t value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value));
  return text;
}

// A whole number from `lowest` to `highest`, nothing else.
std::optional<int> Number(const std::u16string& text, int lowest, int highest) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  if (value < lowest || value > highest) return std::nullopt;
  return value;
}

// The tool has no connection: the mouse it addresses stays the one it chose.
class ToolHost final : public device::OperationHost {
 public:
  explicit ToolHost(device::DevicePath path) : path_(std::move(path)) {}
  device::DevicePath CurrentPath() override { return path_; }
  void DeviceArrival() override {}
  void StoreLevelSteps(const std::array<device::LevelSteps, 4>&) override {}

 private:
  device::DevicePath path_;
};

class MouseTool {
 public:
  MouseTool(const MouseCommandOptions& options, device::HidLink& link, std::ostream& out, std::ostream& err)
      : options_(options), link_(link), out_(out), err_(err) {}

  int Devices();
  int Levels(const device::MouseDevice& mouse);
  int SetLevel(const device::MouseDevice& mouse, int level, int x, int y);
  int SelectLevel(const device::MouseDevice& mouse, int level);
  int Backup(const device::MouseDevice& mouse, const fs::path& file);
  int Restore(const device::MouseDevice& mouse, const fs::path& file);
  int Reset(const device::MouseDevice& mouse);
  int Directory(const device::MouseDevice& mouse);
  int Registers(const device::MouseDevice& mouse);
  int Store(const device::MouseDevice& mouse, const std::u16string& name, const MacroCommands& commands);
  int Remove(const device::MouseDevice& mouse, int entry);
  int Defragment(const device::MouseDevice& mouse);

  std::optional<device::MouseDevice> Choose();
  int NoMouse();

 private:
  int Finish(const device::OperationResult& result, const std::string& what, Json json);
  std::string Counts(const device::OperationResult& result) const;
  int FinishMacro(const device::MacroOperationResult& result, const std::string& what, Json json);

  const MouseCommandOptions& options_;
  device::HidLink& link_;
  std::ostream& out_;
  std::ostream& err_;
};

std::optional<device::MouseDevice> MouseTool::Choose() {
  if (options_.mouseNumber == 0) return link_.FirstDevice();
  for (const auto& mouse : link_.Devices()) {
    if (static_cast<int>(mouse.deviceNumber) == options_.mouseNumber) return mouse;
  }
  return std::nullopt;
}

int MouseTool::NoMouse() {
  if (options_.mouseNumber != 0 && link_.DeviceCount() > 0) {
    err_ << "vantor-tool: no mouse has the number " << options_.mouseNumber << "; \"vantor-tool devices\" lists them\n";
  } else {
    err_ << "vantor-tool: no mouse found\n";
  }
  return kToolNoMouse;
}

int MouseTool::Devices() {
  const std::vector<device::MouseDevice> mice = link_.Devices();
  Json list = Json::array();
  for (const auto& mouse : mice) {
    if (options_.json) {
      list.push_back({{"number", mouse.deviceNumber},
                      {"product", text::ToUtf8(mouse.productName)},
                      {"identity", Hex32(mouse.identity)},
                      {"sensorKind", mouse.sensorKind},
                      {"dpiUnit", mouse.dpiUnit},
                      {"topStep", device::TopDpiStep(mouse.sensorKind)}});
    } else {
      out_ << "mouse " << mouse.deviceNumber << ": " << text::ToUtf8(mouse.productName) << ", identity "
           << Hex32(mouse.identity) << ", sensor kind " << mouse.sensorKind << ", " << mouse.dpiUnit
           << " DPI per step, steps 1 to " << device::TopDpiStep(mouse.sensorKind) << '\n';
    }
  }
  if (options_.json) Print(out_, Json{{"mice", list}});
  return mice.empty() ? NoMouse() : kToolOk;
}

int MouseTool::Levels(const device::MouseDevice& mouse) {
  Json list = Json::array();
  int failed = 0;
  for (int level = 0; level < kLevels; ++level) {
    device::LevelSteps steps;
    if (device::ReadLevel(link_, mouse.path, level, steps) != 1) {
      ++failed;
      err_ << "vantor-tool: level " << level << " could not be read\n";
      continue;
    }
    const std::uint32_t xDpi = steps.x * mouse.dpiUnit, yDpi = steps.y * mouse.dpiUnit;
    if (options_.json) {
      list.push_back({{"level", level}, {"x", steps.x}, {"y", steps.y}, {"xDpi", xDpi}, {"yDpi", yDpi}});
    } else {
      out_ << "level " << level << ": " << int{steps.x} << " x " << int{steps.y} << " steps (" << xDpi << " x "
           << yDpi << " DPI)\n";
    }
  }
  const int current = device::ReadCurrentLevel(link_, mouse.path) & 0xFF;
  if (options_.json) {
    Print(out_, Json{{"mouse", mouse.deviceNumber}, {"levels", list}, {"current", current}});
  } else {
    out_ << "current level: " << current << '\n';
  }
  return failed == 0 ? kToolOk : failed == kLevels ? kToolNoMouse : kToolPartial;
}

int MouseTool::SetLevel(const device::MouseDevice& mouse, int level, int x, int y) {
  const int written = device::WriteLevel(link_, mouse.path, level, x, y);
  const int committed = written == 1 ? device::CommitSettings(link_, mouse.path) : 0;
  device::LevelSteps now;
  const int read = device::ReadLevel(link_, mouse.path, level, now);
  if (options_.json) {
    Print(out_, Json{{"mouse", mouse.deviceNumber},
                     {"level", level},
                     {"ok", written == 1 && committed == 1},
                     {"x", now.x},
                     {"y", now.y}});
  }
  if (written != 1 || committed != 1) {
    err_ << "vantor-tool: the mouse did not take level " << level
         << (read == 1 ? "; it now holds " + std::to_string(now.x) + " x " + std::to_string(now.y) : std::string())
         << '\n';
    return kToolPartial;
  }
  if (!options_.json) {
    out_ << "level " << level << ": " << int{now.x} << " x " << int{now.y} << " steps (" << now.x * mouse.dpiUnit
         << " x " << now.y * mouse.dpiUnit << " DPI)\n";
    // A mouse whose axes share one step rounds a split request.
    if (now.x != x || now.y != y) out_ << "note: the mouse holds the nearest level it allows\n";
  }
  return kToolOk;
}

int MouseTool::SelectLevel(const device::MouseDevice& mouse, int level) {
  const bool taken = device::SelectLevel(link_, mouse.path, level) == 1 &&
                     (device::ReadCurrentLevel(link_, mouse.path) & 0xFF) == level;
  if (options_.json) Print(out_, Json{{"mouse", mouse.deviceNumber}, {"current", level}, {"ok", taken}});
  if (!taken) {
    err_ << "vantor-tool: the mouse did not select level " << level << '\n';
    return kToolPartial;
  }
  if (!options_.json) out_ << "current level: " << level << '\n';
  return kToolOk;
}

std::string MouseTool::Counts(const device::OperationResult& result) const {
  std::string text;
  const auto add = [&text](int count, const char* what) {
    if (count == 0) return;
    if (!text.empty()) text += ", ";
    text += std::to_string(count) + " " + what;
  };
  add(result.memoryBytes, "bytes of memory");
  add(result.levels, "DPI levels");
  add(result.names, "profile names");
  add(result.buttons, "button functions");
  add(result.directoryEntries, "directory entries");
  add(result.profileValues, "profile values");
  return text.empty() ? "nothing" : text;
}

int MouseTool::Finish(const device::OperationResult& result, const std::string& what, Json json) {
  int code = kToolOk;
  std::string problem;
  if (result.noMouse) {
    code = kToolNoMouse;
    problem = "the mouse did not answer; nothing was sent";
  } else if (result.fileFailed) {
    code = result.kind == device::OperationKind::kRestore ? kToolFileProblem : kToolUsage;
    problem = result.kind == device::OperationKind::kRestore
                  ? "the file was refused (" + result.fileProblem + "); nothing was written to the mouse"
                  : "the file was not written (" + result.fileProblem + ")";
  } else if (result.Failed()) {
    code = kToolPartial;
    problem = std::string(result.mouseGone ? "the mouse went away part way" : "the mouse did not take every request") +
              " (" + std::to_string(result.failedRequests) + " not taken; done: " + Counts(result) + ")";
    if (result.kind == device::OperationKind::kBackup) problem += "; no file was written";
  }
  if (options_.json) {
    json["ok"] = code == kToolOk;
    json["memoryBytes"] = result.memoryBytes;
    json["levels"] = result.levels;
    json["names"] = result.names;
    if (result.kind == device::OperationKind::kReset) {
      json["buttons"] = result.buttons;
      json["directoryEntries"] = result.directoryEntries;
      json["profileValues"] = result.profileValues;
    }
    json["failedRequests"] = result.failedRequests;
    if (!result.skippedLevels.empty()) json["skippedLevels"] = result.skippedLevels;
    if (!problem.empty()) json["problem"] = problem;
    Print(out_, json);
  } else if (code == kToolOk) {
    out_ << what << " (" << Counts(result) << ")\n";
  }
  for (int level : result.skippedLevels) {
    err_ << "note: level " << level << " has a step of 0 in the file and was left as the mouse had it\n";
  }
  if (!problem.empty()) err_ << "vantor-tool: " << problem << '\n';
  return code;
}

int MouseTool::Backup(const device::MouseDevice& mouse, const fs::path& file) {
  ToolHost host(mouse.path);
  device::OperationTexts texts;
  device::OperationResult result;
  {
    ProgressBar bar(err_, options_.progress);
    result = device::Backup({link_, bar, host, texts, nullptr}, file);
  }
  return Finish(result, file.u8string() + ": backup written",
                Json{{"command", "backup"}, {"mouse", mouse.deviceNumber}, {"file", file.u8string()}});
}

int MouseTool::Restore(const device::MouseDevice& mouse, const fs::path& file) {
  std::error_code code;
  if (!fs::is_regular_file(file, code)) {
    err_ << file.u8string() << ": no such file\n";
    return kToolUsage;
  }
  ToolHost host(mouse.path);
  device::OperationTexts texts;
  device::OperationResult result;
  {
    ProgressBar bar(err_, options_.progress);
    result = device::Restore({link_, bar, host, texts, nullptr}, file);
  }
  return Finish(result, file.u8string() + ": restored into mouse " + std::to_string(mouse.deviceNumber),
                Json{{"command", "restore"}, {"mouse", mouse.deviceNumber}, {"file", file.u8string()}});
}

int MouseTool::Reset(const device::MouseDevice& mouse) {
  ToolHost host(mouse.path);
  device::OperationTexts texts;
  device::OperationResult result;
  {
    ProgressBar bar(err_, options_.progress);
    result = device::Reset({link_, bar, host, texts, nullptr});
  }
  return Finish(result, "mouse " + std::to_string(mouse.deviceNumber) + " reset",
                Json{{"command", "reset"}, {"mouse", mouse.deviceNumber}});
}

int MouseTool::Directory(const device::MouseDevice& mouse) {
  std::vector<MouseMacro> macros;
  std::vector<LeftOutEntry> leftOut;
  bool read = false;
  {
    ProgressBar bar(err_, options_.progress);
    bar.ShowStatus(device::OperationStatus::kReadingAll, u"Reading the macro directory...");
    read = ReadMouseMacros(link_, mouse.path, macros, &leftOut,
                           [&bar](double fraction) { bar.ShowFraction(fraction); });
  }
  if (!read) {
    err_ << "vantor-tool: the mouse did not answer while its directory was read\n";
    return kToolPartial;
  }
  std::uint32_t used = 0;
  for (const auto& macro : macros) used += macro.Size();
  const std::uint32_t free = used > kMacroAreaSize ? 0 : kMacroAreaSize - used;
  if (options_.json) {
    Json list = Json::array();
    for (const auto& macro : macros) {
      list.push_back({{"entry", macro.entry},
                      {"name", text::ToUtf8(macro.name)},
                      {"start", macro.start},
                      {"end", macro.end},
                      {"size", macro.Size()},
                      {"mode", ToolModeText(static_cast<std::uint8_t>(macro.mode))}});
    }
    Json left = Json::array();
    for (const auto& entry : leftOut) {
      left.push_back({{"entry", entry.entry},
                      {"name", text::ToUtf8(entry.name)},
                      {"start", entry.start},
                      {"end", entry.end},
                      {"reason", entry.reason}});
    }
    Print(out_, Json{{"mouse", mouse.deviceNumber},
                     {"macros", list},
                     {"leftOut", left},
                     {"usedBytes", used},
                     {"freeBytes", free}});
  } else {
    for (const auto& macro : macros) {
      char line[80];
      std::snprintf(line, sizeof line, "%2d  %5u-%-5u %5u bytes  %-16s  ", macro.entry,
                    static_cast<unsigned>(macro.start), static_cast<unsigned>(macro.end),
                    static_cast<unsigned>(macro.Size()), ToolModeText(static_cast<std::uint8_t>(macro.mode)).c_str());
      out_ << line << text::ToUtf8(macro.name) << '\n';
    }
    out_ << macros.size() << (macros.size() == 1 ? " macro, " : " macros, ") << used << " of " << kMacroAreaSize
         << " bytes used, " << free << " free\n";
  }
  // The mouse cannot play these; a user who wrote them wants to know why they are missing.
  for (const auto& entry : leftOut) {
    err_ << "note: entry " << entry.entry
         << (entry.name.empty() ? std::string() : " (" + text::ToUtf8(entry.name) + ")") << " left out: "
         << entry.reason << '\n';
  }
  return kToolOk;
}

// All three registers or none: a value of a read that failed would pass for
// the mouse's own.
int MouseTool::Registers(const device::MouseDevice& mouse) {
  std::uint8_t values[std::size(kDiagnosticRegisters)] = {};
  for (std::size_t i = 0; i < std::size(kDiagnosticRegisters); ++i) {
    if (device::ReadRegister(link_, mouse.path, kDiagnosticRegisters[i], kRegisterSettleMs, values[i]) != 1) {
      err_ << "vantor-tool: no mouse answered; register " << Hex8(kDiagnosticRegisters[i]) << " could not be read\n";
      return kToolNoMouse;
    }
  }
  Json list = Json::array();
  for (std::size_t i = 0; i < std::size(kDiagnosticRegisters); ++i) {
    if (options_.json) {
      list.push_back({{"register", kDiagnosticRegisters[i]}, {"value", values[i]}});
    } else {
      out_ << "register " << Hex8(kDiagnosticRegisters[i]) << ": " << Hex8(values[i]) << '\n';
    }
  }
  if (options_.json) Print(out_, Json{{"mouse", mouse.deviceNumber}, {"registers", list}});
  return kToolOk;
}

// The mouse cannot say what its buttons play: the tool knows nothing of it.
int MouseTool::FinishMacro(const device::MacroOperationResult& result, const std::string& what, Json json) {
  int code = kToolOk;
  if (result.noMouse) {
    code = kToolNoMouse;
  } else if (result.refused || result.notEnoughSpace || result.needsDefragment) {
    code = kToolUsage;
  } else if (result.Failed()) {
    code = kToolPartial;
  }
  const std::string done = std::to_string(result.bytesWritten) + " bytes, " + std::to_string(result.entriesWritten) +
                           " directory entries, " + std::to_string(result.buttonsSent) + " button functions written";
  if (options_.json) {
    json["ok"] = code == kToolOk;
    json["entry"] = result.entry;
    json["bytesWritten"] = result.bytesWritten;
    json["entriesWritten"] = result.entriesWritten;
    json["buttonsSent"] = result.buttonsSent;
    if (result.kind == device::MacroOperationKind::kDefragment) {
      json["moves"] = result.macrosMoved;
      json["leftInPlace"] = result.leftInPlace;
    }
    if (!result.problem.empty()) json["problem"] = result.problem;
    Print(out_, json);
  } else if (code == kToolOk) {
    out_ << what << " (" << done << ")\n";
  }
  if (result.buttonsReleased) {
    err_ << "note: the mouse cannot say which buttons play a macro, so every button of profiles 0 to 4 was given "
            "its own function back\n";
  }
  for (int entry : result.leftInPlace) {
    err_ << "note: entry " << entry << " stays where it is: no free run could take it on the way\n";
  }
  if (result.needsDefragment) {
    err_ << "vantor-tool: not enough continuous space; \"vantor-tool defrag\" gathers the free bytes (back the "
            "mouse up first)\n";
  } else if (!result.problem.empty() && code != kToolOk) {
    err_ << "vantor-tool: " << result.problem << (code == kToolPartial ? "; done: " + done : std::string()) << '\n';
  }
  return code;
}

int MouseTool::Store(const device::MouseDevice& mouse, const std::u16string& name, const MacroCommands& commands) {
  device::MacroButtons buttons;
  buttons.known = false;
  device::MacroOperationResult result;
  {
    ProgressBar bar(err_, options_.progress);
    device::MacroStore store(link_, mouse.path, buttons, &bar);
    result = store.Store(name, device::MouseMacroBytes(commands));
  }
  return FinishMacro(result,
                     text::ToUtf8(name) + ": stored in entry " + std::to_string(result.entry) + " at " +
                         std::to_string(result.start),
                     Json{{"command", "store"}, {"mouse", mouse.deviceNumber}, {"name", text::ToUtf8(name)}});
}

int MouseTool::Remove(const device::MouseDevice& mouse, int entry) {
  device::MacroButtons buttons;
  buttons.known = false;
  device::MacroOperationResult result;
  {
    ProgressBar bar(err_, options_.progress);
    result = device::MacroStore(link_, mouse.path, buttons, &bar).Remove(entry);
  }
  return FinishMacro(result, "entry " + std::to_string(entry) + " removed",
                     Json{{"command", "remove"}, {"mouse", mouse.deviceNumber}});
}

int MouseTool::Defragment(const device::MouseDevice& mouse) {
  device::MacroButtons buttons;
  buttons.known = false;
  device::MacroOperationResult result;
  {
    ProgressBar bar(err_, options_.progress);
    result = device::MacroStore(link_, mouse.path, buttons, &bar).Defragment();
  }
  return FinishMacro(result, "macro memory packed, " + std::to_string(result.macrosMoved) + " moves",
                     Json{{"command", "defrag"}, {"mouse", mouse.deviceNumber}});
}

// The macro `store` is given: a macro file when one is at that path, else
// the macro of the user's library with exactly that name. kToolOk, or the exit
// code of the refusal, which is told on `err`.
int FindMacroToStore(const std::u16string& what, const fs::path& library, std::u16string& name,
                     MacroCommands& commands, std::ostream& err) {
  const fs::path file(what);
  std::error_code code;
  if (fs::is_regular_file(file, code)) {
    std::vector<std::uint8_t> raw, encoded;
    if (ReadFileBytes(file, raw) != FileReadResult::kRead) {
      err << file.u8string() << ": cannot be read\n";
      return kToolUsage;
    }
    if (ParseMacroFile(raw.data(), raw.size(), encoded) != MacroFileRead::kRead) {
      err << file.u8string() << ": not a macro file\n";
      return kToolFileProblem;
    }
    ParseMacroBytes(commands, encoded.data(), encoded.size());
    name = file.stem().u16string().substr(0, device::kDirectoryNameChars);
    return kToolOk;
  }
  const std::string quoted = "\"" + text::ToUtf8(what) + "\"";
  std::vector<std::uint8_t> bytes;
  const FileReadResult read = library.empty() ? FileReadResult::kMissing : ReadFileBytes(library, bytes);
  if (read != FileReadResult::kRead) {
    const std::string why = read == FileReadResult::kMissing ? " does not exist" : " cannot be read";
    err << "vantor-tool: " << quoted << " is no macro file, and the macro library "
        << (library.empty() ? std::string("cannot be found") : library.u8string() + why) << '\n';
    return kToolUsage;
  }
  MacroLibrary macros;
  FileProblem problem;
  if (ParseLibrary(bytes.data(), bytes.size(), macros, &problem) != LibraryParse::kParsed) {
    err << library.u8string() << ": byte " << problem.offset << ": " << problem.what << '\n';
    return kToolFileProblem;
  }
  std::vector<const LibraryEntry*> found;
  for (const auto& entry : macros.entries) {
    if (!entry->IsGroup() && entry->name == what) found.push_back(entry.get());
  }
  if (found.size() != 1) {
    err << "vantor-tool: " << quoted << " is no macro file, and "
        << (found.empty() ? std::string("no macro") : std::to_string(found.size()) + " macros")
        << " of the library " << library.u8string() << (found.size() > 1 ? " have" : " has") << " that name"
        << (found.size() > 1 ? "; rename all but one in the program's window\n" : "\n");
    return kToolUsage;
  }
  name = what.substr(0, device::kDirectoryNameChars);
  commands = found.front()->commands;
  return kToolOk;
}

}  // namespace

bool MouseCommandFits(const std::vector<std::u16string>& args) {
  for (const Command& command : kCommands) {
    if (!args.empty() && text::ToUtf8(args[0]) == command.name) return args.size() == command.arguments + 1;
  }
  return false;
}

int RunMouseCommand(const std::vector<std::u16string>& args, const MouseCommandOptions& options,
                    device::HidLink& link, std::ostream& out, std::ostream& err) {
  const std::string name = args.empty() ? std::string() : text::ToUtf8(args[0]);
  const Command* command = nullptr;
  for (const Command& known : kCommands) {
    if (name == known.name) command = &known;
  }
  if (!command || args.size() != command->arguments + 1) {
    err << "vantor-tool: " << (command ? name + " takes " + std::to_string(command->arguments) + " arguments"
                                       : "unknown command \"" + name + "\"")
        << "; \"vantor-tool\" alone lists the commands\n";
    return kToolUsage;
  }
  // Numbers are checked before the mouse is touched.
  std::optional<int> level, x, y;
  if (name == "set-level" || name == "select-level") {
    level = Number(args[1], 0, kLevels - 1);
    if (!level) {
      err << "vantor-tool: the level is 0, 1, 2 or 3\n";
      return kToolUsage;
    }
  }
  std::optional<int> entry;
  if (name == "remove") {
    entry = Number(args[1], 0, device::kDirectoryEntries - 1);
    if (!entry) {
      err << "vantor-tool: the entry is a number from 0 to 63, as \"vantor-tool directory\" lists them\n";
      return kToolUsage;
    }
  }
  if (name == "set-level") {
    x = Number(args[2], 1, 255);
    y = Number(args[3], 1, 255);
    if (!x || !y) {
      err << "vantor-tool: the steps X and Y are whole numbers from 1 to the mouse's top step\n";
      return kToolUsage;
    }
  }

  std::u16string macroName;
  MacroCommands macro;
  if (name == "store") {
    const int found = FindMacroToStore(args[1], options.library, macroName, macro, err);
    if (found != kToolOk) return found;
  }

  device::SessionHold session(link.DeviceLock());
  device::Discover(link);
  MouseTool tool(options, link, out, err);
  if (name == "devices") return tool.Devices();
  const std::optional<device::MouseDevice> mouse = tool.Choose();
  if (!mouse) return tool.NoMouse();
  if (name == "set-level") {
    const int top = device::TopDpiStep(mouse->sensorKind);
    if (*x > top || *y > top) {
      err << "vantor-tool: the steps of mouse " << mouse->deviceNumber << " run from 1 to " << top << '\n';
      return kToolUsage;
    }
    return tool.SetLevel(*mouse, *level, *x, *y);
  }
  if (name == "levels") return tool.Levels(*mouse);
  if (name == "select-level") return tool.SelectLevel(*mouse, *level);
  if (name == "backup") return tool.Backup(*mouse, fs::path(args[1]));
  if (name == "restore") return tool.Restore(*mouse, fs::path(args[1]));
  if (name == "reset") return tool.Reset(*mouse);
  if (name == "registers") return tool.Registers(*mouse);
  if (name == "store") return tool.Store(*mouse, macroName, macro);
  if (name == "remove") return tool.Remove(*mouse, *entry);
  if (name == "defrag") return tool.Defragment(*mouse);
  return tool.Directory(*mouse);
}
