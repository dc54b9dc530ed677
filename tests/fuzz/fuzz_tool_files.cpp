// Feeds arbitrary bytes to the companion tool's `show` and `check`, as a
// user's damaged or foreign file would reach them: they answer with an exit
// code and text, and `check` passes only a file that `show` can read.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/ToolCommands.h"

namespace {

// The description of a whole backup lists thousands of steps, milliseconds
// under the sanitizers; larger inputs only go through `check`, whose reading
// is the one `show` makes before it writes, so the campaign keeps its pace.
// Inputs up to this size reach every kind of file and every part of a
// description.
constexpr std::size_t kDescribedBytes = 3072;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("vantor-fuzz-tool-" + std::to_string(getpid()) + ".dat");
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::u16string path = file.u16string();
  std::ostringstream out;
  std::ostringstream err;
  const int checked = RunTool({u"check", path}, out, err, nullptr);
  if (size > kDescribedBytes) return 0;
  const int shown = RunTool({u"show", path}, out, err, nullptr);
  if (checked == kToolOk && shown != kToolOk) std::abort();
  return 0;
}
