#pragma once
// The companion tool's commands, apart from the process entry point so that
// tests can run them:
//   show FILE        describe a library, macro or backup file as JSON
//   check FILE       say "ok", or what is wrong and at which byte
//   build JSON OUT   write the file a description stands for
// and the commands on the mouse (tools/MouseCommands.h), on the system's
// mice or, with --simulate, on simulated ones.
#include <ostream>
#include <string>
#include <vector>

#include "tools/ToolPlatform.h"

// Exit codes.
constexpr int kToolOk = 0;
constexpr int kToolFileProblem = 1;  // the file is unsound, or the description cannot be built
constexpr int kToolUsage = 2;        // wrong arguments, or a file that cannot be read or written
constexpr int kToolNoMouse = 3;      // no mouse found, or not the one asked for
constexpr int kToolPartial = 4;      // the mouse did not take every request

// `args` are the arguments after the program name, as UTF-16 so that paths
// keep every character on every platform. The mouse commands need `platform`.
int RunTool(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err,
            ToolPlatform* platform = nullptr);
