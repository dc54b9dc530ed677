// The tool's entry point where arguments arrive as UTF-8.
#include <iostream>

#include "base/Utf16.h"
#include "tools/ToolCommands.h"

int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(text::FromUtf8(argv[i]));
  return RunTool(args, std::cout, std::cerr);
}
