// The tool's entry point on Windows: wide arguments keep every character of a
// path, binary output keeps the JSON's line ends the same as elsewhere, and a
// UTF-8 console shows the JSON's texts as written.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>

#include "tools/ToolCommands.h"

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) {
    std::u16string arg;
    for (const wchar_t* p = argv[i]; *p; ++p) arg.push_back(static_cast<char16_t>(*p));
    args.push_back(arg);
  }
  return RunTool(args, std::cout, std::cerr);
}
