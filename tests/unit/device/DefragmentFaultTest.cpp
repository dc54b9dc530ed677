// The mouse unplugged after every single request of a defragmentation: once
// plugged in again, every directory entry still names a complete,
// byte-identical macro (or is empty), and every button plays one.
#include <gtest/gtest.h>

#include <cstdio>

#include "device/MacroStore.h"
#include "unit/device/MacroMemory.h"
#include "unit/device/SimRig.h"

using macro_memory::AreaBytes;
using macro_memory::EntryWords;
using macro_memory::Macro;
using macro_memory::PlaceMacro;

namespace {

struct Placed {
  int entry;
  std::uint32_t start;
  std::size_t size;
  int button;  // of profile 0 that plays it
};

// Scattered, with two macros that move by less than their size.
constexpr Placed kLayout[] = {
    {0, 20, 60, 0}, {3, 150, 90, 4}, {1, 400, 33, 7}, {7, 250, 120, 9}, {2, 900, 45, 3}, {5, 1500, 70, 10},
};

std::vector<std::uint8_t> MacroOf(const Placed& placed) { return Macro(placed.entry, placed.size); }

void Lay(SimRig& rig, device::MacroButtons& buttons) {
  for (const Placed& p : kLayout) {
    PlaceMacro(rig.Mouse(), p.entry, p.start, MacroOf(p), u"macro " + std::u16string(1, u'A' + p.entry));
    const auto code = static_cast<std::uint16_t>(p.start);
    buttons.At(0, p.button) = {device::kMacroFunction, code};
    rig.Mouse().buttonFunctions[0][static_cast<std::size_t>(device::DeviceButtonIndex(p.button))] = {
        device::kMacroFunction, code};
  }
}

// Empty when the mouse holds only complete macros; else what is wrong.
std::string Damage(SimRig& rig) {
  const sim::SimulatedMouse& mouse = rig.Mouse();
  for (int entry = 0; entry < 64; ++entry) {
    const auto [start, end] = EntryWords(mouse, entry);
    if (start == 0xFFFF) continue;
    const Placed* placed = nullptr;
    for (const Placed& p : kLayout) {
      if (p.entry == entry) placed = &p;
    }
    if (placed == nullptr) return "entry " + std::to_string(entry) + " appeared";
    if (end != start + placed->size - 1 || AreaBytes(mouse, start, placed->size) != MacroOf(*placed)) {
      return "entry " + std::to_string(entry) + " names damaged bytes at " + std::to_string(start);
    }
  }
  for (const Placed& p : kLayout) {
    const sim::ButtonFunction f = mouse.buttonFunctions[0][static_cast<std::size_t>(device::DeviceButtonIndex(p.button))];
    if (f.kind == device::kMacroFunction && AreaBytes(mouse, f.code, p.size) != MacroOf(p)) {
      return "button " + std::to_string(p.button) + " plays damaged bytes at " + std::to_string(f.code);
    }
  }
  return {};
}

}  // namespace

TEST(DefragmentFaults, EveryRequestIndexLeavesOnlyCompleteMacros) {
  int requests = 0;
  {
    SimRig rig;
    device::MacroButtons buttons;
    Lay(rig, buttons);
    const int before = rig.Mouse().RequestsServed();
    device::MacroStore store(rig.link, rig.Path(), buttons);
    const device::MacroOperationResult result = store.Defragment();
    ASSERT_FALSE(result.Failed()) << result.problem;
    ASSERT_GE(result.macrosMoved, 8) << "two macros are parked on the way";
    EXPECT_EQ(Damage(rig), "");
    requests = rig.Mouse().RequestsServed() - before;
  }
  int cases = 0;
  int failures = 0;
  int stopped = 0;
  for (int k = 0; k <= requests; ++k) {
    SimRig rig;
    device::MacroButtons buttons;
    Lay(rig, buttons);
    rig.Mouse().faults.unplugAfterRequests = rig.Mouse().RequestsServed() + k;
    device::MacroStore store(rig.link, rig.Path(), buttons);
    if (store.Defragment().mouseGone) ++stopped;
    rig.Mouse().faults.unplugAfterRequests = -1;
    rig.port.Replug(0);
    ++cases;
    const std::string damage = Damage(rig);
    if (!damage.empty()) {
      ++failures;
      ADD_FAILURE() << "unplugged after request " << k << ": " << damage;
    }
  }
  std::printf("defragment fault matrix: %d cases, %d failures (%d stopped by the unplug)\n", cases, failures, stopped);
  EXPECT_EQ(cases, requests + 1);
  EXPECT_EQ(failures, 0);
  EXPECT_GT(stopped, requests / 2);
}
