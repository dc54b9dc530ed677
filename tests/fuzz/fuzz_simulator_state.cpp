// Feeds arbitrary bytes as the simulated mice's state file. A file that
// loads must save and load again to the same state; a refused one changes
// nothing.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "sim/SimulatorStateFile.h"

namespace {

std::filesystem::path Scratch(const char* name) {
  return std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(getpid()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = Scratch("vantor-fuzz-state-");
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  sim::SimulatedHidPort port;
  port.AddMouse();
  port.AddMouse();
  if (!sim::LoadSimulatorState(file, port)) return 0;
  const std::filesystem::path again = Scratch("vantor-fuzz-state-again-");
  if (!sim::SaveSimulatorState(again, port)) std::abort();
  sim::SimulatedHidPort reloaded;
  reloaded.AddMouse();
  reloaded.AddMouse();
  std::string problem;
  if (!sim::LoadSimulatorState(again, reloaded, &problem)) std::abort();
  for (int m = 0; m < 2; ++m) {
    if (reloaded.Mouse(m).memory != port.Mouse(m).memory) std::abort();
  }
  return 0;
}
