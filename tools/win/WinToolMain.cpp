// The tool's entry point on Windows: wide arguments keep every character of a
// path, binary output keeps the JSON's line ends the same as elsewhere, and a
// UTF-8 console shows the JSON's texts as written. The mouse commands reach
// the mice over the HID driver and share them with the window through the
// session mutex.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "base/Utf16.h"
#include "device/win/Win32HidPort.h"
#include "device/win/Win32SessionLock.h"
#include "device/win/Win32Sleeper.h"
#include "tools/ToolCommands.h"

namespace {

std::u16string Wide(const wchar_t* text) {
  std::u16string out;
  for (const wchar_t* p = text; *p; ++p) out.push_back(static_cast<char16_t>(*p));
  return out;
}

class WinToolPlatform final : public ToolPlatform {
 public:
  std::unique_ptr<device::HidPort> SystemPort() override { return device::MakeWin32HidPort(); }
  device::Sleeper& Clock() override { return *sleeper_; }
  device::SessionLock* Session() override { return session_.get(); }
  bool ErrorIsTerminal() override {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
  }
  std::string Environment(const char* name) override {
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wideName.c_str());
    return value ? text::ToUtf8(Wide(value)) : std::string();
  }
  std::filesystem::path ProgramDir() override {
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return {};
    buffer.resize(length);
    return std::filesystem::path(Wide(buffer.c_str())).parent_path();
  }

 private:
  std::unique_ptr<device::Sleeper> sleeper_ = device::MakeWin32Sleeper();
  std::unique_ptr<device::SessionLock> session_ = device::MakeWin32SessionLock();
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Wide(argv[i]));
  WinToolPlatform platform;
  return RunTool(args, std::cout, std::cerr, &platform);
}
