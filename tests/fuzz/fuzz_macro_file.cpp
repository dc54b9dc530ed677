// Feeds arbitrary bytes to the macro-file reader and imports the result into
// both a fresh and a longer editor macro.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "macro/MacroFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> macroBytes;
  if (ParseMacroFile(data, size, macroBytes) != MacroFileRead::kRead) return 0;
  if (macroBytes.size() > kMacroFileMaxBytes) std::abort();
  MacroCommands fresh = NewMacro();
  ParseMacroBytes(fresh, macroBytes.data(), macroBytes.size());
  MacroCommands longer = NewMacro();
  longer.push_back(MakeWait(500));
  Renumber(longer);
  ParseMacroBytes(longer, macroBytes.data(), macroBytes.size());
  if (EncodeMacro(fresh).size() != MacroSize(fresh) || MacroSize(fresh) > macroBytes.size() + 1) std::abort();
  const std::vector<std::uint8_t> image = SerializeMacroFile(fresh);
  std::vector<std::uint8_t> back;
  if (ParseMacroFile(image.data(), image.size(), back) != MacroFileRead::kRead || back != EncodeMacro(fresh)) {
    std::abort();
  }
  return 0;
}
