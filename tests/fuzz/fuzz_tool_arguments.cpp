// Feeds arbitrary command lines to the companion tool: one argument per line
// of the input, read as UTF-8. The system offers a HID port without mice, so
// every mouse command is parsed and its numbers checked, then finds no mouse;
// the simulated mice run for real. The process works in a folder of its own,
// emptied after each run, and an input with a path separator in an argument
// is passed over, so the files the arguments name never lie outside it. The
// fuzzer's own paths on its command line are made absolute before the move.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "base/Utf16.h"
#include "sim/VirtualClock.h"
#include "tools/ToolCommands.h"

namespace {

class NoMicePort final : public device::HidPort {
 public:
  bool EnumerateInterfaces(std::vector<device::DevicePath>&) override { return true; }
  device::HidHandle Open(const device::DevicePath&, const device::OpenMode&) override { return device::kNoHandle; }
  void Close(device::HidHandle) override {}
  bool GetCapabilities(device::HidHandle, device::HidCapabilities&) override { return false; }
  bool GetAttributes(device::HidHandle, device::HidAttributes&) override { return false; }
  bool GetFeature(device::HidHandle, std::uint8_t*, std::size_t) override { return false; }
  bool SetFeature(device::HidHandle, const std::uint8_t*, std::size_t) override { return false; }
  bool GetIndexedString(device::HidHandle, int, std::uint8_t*, std::size_t) override { return false; }
  bool GetProductString(device::HidHandle, std::u16string&) override { return false; }
};

class NoMicePlatform final : public ToolPlatform {
 public:
  std::unique_ptr<device::HidPort> SystemPort() override { return std::make_unique<NoMicePort>(); }
  device::Sleeper& Clock() override { return clock_; }
  device::SessionLock* Session() override { return nullptr; }
  bool ErrorIsTerminal() override { return false; }
  std::string Environment(const char*) override { return std::string(); }
  std::filesystem::path ProgramDir() override { return std::filesystem::path(); }

 private:
  sim::VirtualClock clock_;
};

std::filesystem::path& Folder() {
  static std::filesystem::path folder;
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static std::vector<std::string> absolute;
  static std::vector<char*> pointers;
  const char* kPathFlags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict=", "-merge_control_file=",
                              "-features_dir="};
  for (int i = 0; i < *argc; ++i) {
    std::string arg = (*argv)[i];
    std::size_t value = i > 0 && !arg.empty() && arg[0] != '-' ? 0 : std::string::npos;
    for (const char* flag : kPathFlags) {
      if (arg.rfind(flag, 0) == 0) value = std::string(flag).size();
    }
    if (value != std::string::npos && value < arg.size()) {
      arg = arg.substr(0, value) + std::filesystem::absolute(arg.substr(value)).string();
    }
    absolute.push_back(arg);
  }
  for (std::string& arg : absolute) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  *argv = pointers.data();
  Folder() = std::filesystem::temp_directory_path() / ("vantor-fuzz-args-" + std::to_string(getpid()));
  std::filesystem::remove_all(Folder());
  std::filesystem::create_directories(Folder());
  std::filesystem::current_path(Folder());
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::u16string> args;
  bool help = false;
  bool simulate = false;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= size; ++at) {
    if (at < size && data[at] != '\n') continue;
    const std::string arg(reinterpret_cast<const char*>(data) + start, at - start);
    start = at + 1;
    if (arg.find_first_of("/\\") != std::string::npos) return 0;
    args.push_back(text::FromUtf8(arg));
    help = help || arg == "--help" || arg == "-h";
    simulate = simulate || arg.rfind("--simulate", 0) == 0;
  }

  NoMicePlatform platform;
  std::ostringstream out;
  std::ostringstream err;
  const int code = RunTool(args, out, err, &platform);
  if (code < kToolOk || code > kToolPartial) std::abort();
  if (help && (code != kToolOk || out.str().empty())) std::abort();
  // The system's port has no mouse, so only a simulated one can do anything.
  if (!simulate && code == kToolPartial) std::abort();
  if (code != kToolOk && err.str().empty()) std::abort();

  for (const auto& entry : std::filesystem::directory_iterator(Folder())) std::filesystem::remove_all(entry.path());
  return 0;
}
