// Feeds arbitrary command lines (UTF-16 units) to the switch parser: a
// switch counts wherever it stands after the first character, without
// regard to case, and "/simulate2" asks for two simulated mice.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/StartupSwitches.h"
#include "base/Utf16.h"

namespace {

bool Present(const std::u16string& lowered, const char16_t* name) {
  return lowered.size() > 1 && lowered.find(name, 1) != std::u16string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string line;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    line.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  const StartupSwitches switches = ParseStartupSwitches(line);
  const std::u16string lowered = text::ToLower(line);
  if (switches.hide != Present(lowered, u"/hide") || switches.close != Present(lowered, u"/close") ||
      switches.showTip != Present(lowered, u"/showtip") || switches.simulate != Present(lowered, u"/simulate")) {
    std::abort();
  }
  if (switches.simulatedMice != (Present(lowered, u"/simulate2") ? 2 : 1)) std::abort();
  if (switches.simulatedMice == 2 && !switches.simulate) std::abort();
  return 0;
}
