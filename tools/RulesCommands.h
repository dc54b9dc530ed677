#pragma once
// The tool's commands on the rules that choose the software profile from the
// program in front, for administrators who set machines up by script:
//   rules                      list them
//   rules add PROGRAM PROFILE  add a rule, or give the program's rule PROFILE
//   rules remove PROGRAM       remove the program's rule
//   rules no-match stay|PROFILE
// The file is the one the window reads, unless --rules=FILE names another.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "base/FilePlace.h"

// `args` start with "rules" and hold no options; with `json` the rules are
// answered as JSON. Reads `place.readFrom` and saves to `place.saveTo`.
int RunRulesCommand(const std::vector<std::u16string>& args, bool json, const FilePlace& place, std::ostream& out,
                    std::ostream& err);
