// How close storing a macro in the mouse and packing its memory come to the
// protocol's minimum, against a mouse that spends 1 ms per feature transfer.
// The minimum is the same operation on a virtual clock, where nothing takes
// time but the transfers and the settle pauses the protocol asks for, so the
// ratio is what the host adds. A figure of -1 means the operation failed.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Bench.h"
#include "BenchMouse.h"
#include "device/MacroSpace.h"
#include "device/MacroStore.h"
#include "sim/VirtualClock.h"
#include "unit/device/MacroMemory.h"

namespace {

using bench::Clock;

constexpr std::int64_t kTransferUs = 1000;
constexpr std::int64_t kSpinUs = 500;

// The same mouse on a clock that only counts.
struct VirtualMouse {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  device::HidLink link{port, clock};

  VirtualMouse() {
    port.AddMouse();
    device::Discover(link);
    port.SetLogging(false);
    port.Mouse(0).faults.transferLatencyUs = kTransferUs;
  }
  device::DevicePath Path() const { return port.ConfigPath(0); }
};

// Lays `macros` into the mouse and gives each to a button of profile 0 in
// turn, as the caller knows them.
struct Layout {
  struct Placed {
    std::uint32_t start;
    std::size_t size;
  };
  std::vector<Placed> macros;

  void Into(sim::SimulatedMouse& mouse, device::MacroButtons& buttons) const {
    for (std::size_t i = 0; i < macros.size(); ++i) {
      const int entry = static_cast<int>(i);
      macro_memory::PlaceMacro(mouse, entry, macros[i].start, macro_memory::Macro(entry, macros[i].size),
                               u"macro " + std::u16string(1, static_cast<char16_t>(u'A' + entry % 26)));
      if (i < static_cast<std::size_t>(kButtonsPerProfile)) {
        buttons.At(0, entry) = {device::kMacroFunction, static_cast<std::uint16_t>(macros[i].start)};
      }
    }
  }
};

// A few macros with a gap of 260 bytes between two of them: the new macro
// goes into the gap.
Layout StoreLayout() { return {{{0, 90}, {90, 120}, {470, 60}, {530, 300}, {1400, 45}}}; }

// The whole area taken by 40 macros of 60 to 200 bytes with gaps of 4 to 40
// bytes between them, so that every macro moves and many overlap their own
// old range.
Layout FullFragmentedLayout() {
  Layout layout;
  std::uint32_t at = 0;
  for (int i = 0; i < 40; ++i) {
    const std::size_t size = 60 + static_cast<std::size_t>(i * 37 % 141);
    const std::uint32_t gap = 4 + static_cast<std::uint32_t>(i * 13 % 37);
    if (at + gap + size > kMacroAreaSize) break;
    layout.macros.push_back({at + gap, size});
    at += gap + static_cast<std::uint32_t>(size);
  }
  return layout;
}

using Operation = std::function<device::MacroOperationResult(device::MacroStore&)>;

// Milliseconds `operation` takes on `mouse` after `layout` is laid in, or -1.
template <typename Mouse>
double Measure(Mouse& mouse, const Layout& layout, const Operation& operation,
               const std::function<double()>& nowMs) {
  device::MacroButtons buttons;
  layout.Into(mouse.port.Mouse(0), buttons);
  device::MacroStore store(mouse.link, mouse.Path(), buttons);
  const double start = nowMs();
  const device::MacroOperationResult result = operation(store);
  const double taken = nowMs() - start;
  if (result.Failed()) {
    std::fprintf(stderr, "macro store bench: %s\n", result.problem.c_str());
    return -1.0;
  }
  return taken;
}

double Ratio(const Layout& layout, const Operation& operation) {
  VirtualMouse counted;
  const double minimum = Measure(counted, layout, operation, [&counted] {
    return static_cast<double>(counted.clock.NowMicroseconds()) / 1000.0;
  });
  bench::BenchMouse timed(kTransferUs, false, kSpinUs);
  const auto origin = Clock::now();
  const double wall = Measure(timed, layout, operation, [origin] { return bench::MillisecondsSince(origin); });
  if (minimum <= 0.0 || wall < 0.0) return -1.0;
  return wall / minimum;
}

}  // namespace

// A 200-byte macro: the directory read, its bytes, its entry.
VANTOR_FIGURE(store_macro_ratio) {
  const std::vector<std::uint8_t> bytes = macro_memory::Macro(7, 200);
  return Ratio(StoreLayout(), [&bytes](device::MacroStore& store) { return store.Store(u"two hundred", bytes); });
}

// Every macro of a full, fragmented area packed at its start, with the
// assignments whose address changed sent again.
VANTOR_FIGURE(defrag_ratio) {
  return Ratio(FullFragmentedLayout(), [](device::MacroStore& store) {
    device::MacroOperationResult result = store.Defragment();
    if (!result.Failed() && !result.leftInPlace.empty()) {
      result.refused = true;
      result.problem = std::to_string(result.leftInPlace.size()) + " macros were left in place";
    }
    return result;
  });
}

// The bytes the packing's safe order writes against the bytes of the macros
// that change place: a macro whose new place overlaps its old one goes
// through a free run first, so it is written twice.
VANTOR_FIGURE(defrag_written_bytes_ratio) {
  std::vector<device::MacroRange> ranges;
  const Layout layout = FullFragmentedLayout();
  for (std::size_t i = 0; i < layout.macros.size(); ++i) {
    ranges.push_back({static_cast<int>(i), layout.macros[i].start, static_cast<std::uint32_t>(layout.macros[i].size)});
  }
  const device::DefragmentPlan plan = device::PlanDefragment(ranges);
  std::vector<bool> moved(ranges.size(), false);
  double written = 0.0;
  double moving = 0.0;
  for (const device::MacroMove& move : plan.moves) {
    written += move.size;
    if (!moved[static_cast<std::size_t>(move.entry)]) moving += move.size;
    moved[static_cast<std::size_t>(move.entry)] = true;
  }
  return moving > 0.0 ? written / moving : -1.0;
}
