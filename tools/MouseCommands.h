#pragma once
// The tool's commands on the mouse itself:
//   devices              each mouse found: number, identity, sensor kind, DPI unit
//   levels               the four DPI levels and the current one
//   set-level N X Y      writes level N (0 to 3) as X and Y steps, then commits
//   select-level N       makes level N the current one
//   backup FILE          the whole mouse into a backup file
//   restore FILE         a backup file into the mouse
//   reset                the mouse back to its defaults
//   directory            the macros the mouse holds, with their modes, and
//                        the entries it leaves out and why
//   registers            the mouse's diagnostic registers 00, 01 and 20
//   store NAME-OR-FILE   a macro file, or the library's macro of that name, into
//                        the mouse's memory, named after the file or macro
//   remove ENTRY         clears a directory entry, its buttons given their own function first
//   defrag               packs the macros at the start of the macro area
// Every command discovers the mice first and holds the session lock from
// then to its end, so the window's requests never fall between its own.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "device/HidLink.h"

struct MouseCommandOptions {
  bool json = false;      // the answer as JSON on standard output
  int mouseNumber = 0;    // the device number to address; 0: the first mouse found
  bool progress = false;  // progress bars on standard error
  // The user's macro library, where `store` looks up a name that is no file;
  // empty when there is none to look in.
  std::filesystem::path library;
};

// Whether `args`, which start with a mouse command's name, give it as many
// arguments as it takes.
bool MouseCommandFits(const std::vector<std::u16string>& args);

// `args` start with the command's name. Returns one of the tool's exit codes.
int RunMouseCommand(const std::vector<std::u16string>& args, const MouseCommandOptions& options,
                    device::HidLink& link, std::ostream& out, std::ostream& err);
