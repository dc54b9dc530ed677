// Feeds arbitrary text to the simulator script's parser. A refused script
// plays nothing; an understood one holds only actions on the two mice that
// cross a window message whole. Arbitrary message parameters unpack to a
// known action or to none.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/SimulatorScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const SimulatorScript script = ParseSimulatorScript(std::string(reinterpret_cast<const char*>(data), size));
  if (!script.error.empty() && !script.actions.empty()) std::abort();
  for (const SimulatorAction& action : script.actions) {
    if (action.mouse < 0 || action.mouse > 1) std::abort();
    if (action.kind == SimulatorAction::Kind::kWait || action.kind == SimulatorAction::Kind::kAwaitReady) continue;
    SimulatorAction back;
    if (!UnpackSimulatorAction(PackSimulatorAction(action), PackSimulatorValue(action), back)) std::abort();
    if (back.kind != action.kind || back.mouse != action.mouse || back.value != action.value) std::abort();
  }
  if (size >= 12) {
    std::uint32_t kind = 0;
    std::int64_t packed = 0;
    std::memcpy(&kind, data, sizeof kind);
    std::memcpy(&packed, data + 4, sizeof packed);
    SimulatorAction action;
    if (UnpackSimulatorAction(kind, packed, action) && (action.mouse < 0 || action.mouse > 1)) std::abort();
  }
  return 0;
}
