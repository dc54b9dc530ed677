// The companion tool describing a heavy user's library (2000 macros of 200
// commands, 20 mice) as JSON: the most memory the tool's process took, as the
// system counts it for a finished child process.
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Bench.h"
#include "BenchLibrary.h"
#include "macro/LibraryFile.h"

VANTOR_FIGURE(tool_show_peak_mb) {
  namespace fs = std::filesystem;
  const fs::path file = fs::temp_directory_path() / "vantor-bench-tool-show.dat";
  {
    MacroLibrary library;
    bench::FillLibrary(library, 2000, 200, 20);
    if (SaveLibrary(library, file) != 1) return -1;
  }
  const std::string command = std::string("'") + VANTOR_TOOL_PATH + "' show '" + file.string() + "' > /dev/null";
  const int status = std::system(command.c_str());
  std::error_code ignored;
  fs::remove(file, ignored);
  if (status != 0) return -1;
  rusage usage{};
  if (getrusage(RUSAGE_CHILDREN, &usage) != 0) return -1;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}
