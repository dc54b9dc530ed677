// The tool's entry point where arguments arrive as UTF-8. This build reaches
// no real mouse; the mouse commands run on the simulated one.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "base/Utf16.h"
#include "device/PreciseSleeper.h"
#include "tools/ToolCommands.h"

namespace {

class PosixToolPlatform final : public ToolPlatform {
 public:
  std::unique_ptr<device::HidPort> SystemPort() override { return nullptr; }
  device::Sleeper& Clock() override { return sleeper_; }
  device::SessionLock* Session() override { return nullptr; }
  bool ErrorIsTerminal() override { return isatty(STDERR_FILENO) == 1; }
  std::string Environment(const char* name) override {
    const char* value = std::getenv(name);
    return value ? value : "";
  }
  std::filesystem::path ProgramDir() override {
    std::error_code code;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", code);
    return code ? std::filesystem::path() : self.parent_path();
  }

 private:
  device::PreciseSleeper sleeper_;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(text::FromUtf8(argv[i]));
  PosixToolPlatform platform;
  return RunTool(args, std::cout, std::cerr, &platform);
}
