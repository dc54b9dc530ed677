#pragma once
// Where macros go in the mouse's macro area: which ranges are free, where a
// new macro of N bytes fits (first fit), whether a failure is a lack of bytes
// or only of one long enough free run, and how to move the macros together
// at the start of the area without ever leaving the mouse with a directory
// entry or a button that names a half-written macro.
//
// Addresses here count from the first byte of the macro area (as the
// directory's do); a range is `start` to `end` inclusive and lies in the
// area's kMacroAreaSize bytes.
//
// The reorganising invariant. A range is live while a directory entry or a
// button names it. Every move of a plan is executed as
//   1. write the macro's bytes at `to`,
//   2. point its entry at `to` (both address words in one committed write),
//   3. re-send every button assignment that named `from`,
// and the plan guarantees that `to .. to + size - 1` overlaps no range that
// is live when the move starts, the macro's own old range included. So after
// any request, each entry names either its old complete copy (steps 1 and 2
// not done) or its new complete copy, and each button plays one of the two:
// the old range is only written by a later move, which starts after step 3.
// A macro whose packed place overlaps its own old range (it moves by less
// than its size) goes through an intermediate copy in a free run that
// overlaps neither its old range nor its packed place: two moves. When no
// such run exists it stays where it is for that pass; passes repeat while
// they move something, since each pass gathers the free bytes at the end.
#include <cstdint>
#include <utility>
#include <vector>

#include "device/MouseDirectory.h"

namespace device {

struct MacroRange {
  int entry = 0;
  std::uint32_t start = 0;
  std::uint32_t size = 0;
  std::uint32_t End() const { return start + size - 1; }
};

enum class SpaceVerdict {
  kFits,            // `start` is the first free run long enough
  kFragmented,      // enough free bytes in total, but no run long enough
  kNotEnoughSpace,  // fewer free bytes than asked for in total
};

struct Allocation {
  SpaceVerdict verdict = SpaceVerdict::kNotEnoughSpace;
  std::uint32_t start = 0;
};

struct MacroMove {
  int entry = 0;
  std::uint32_t from = 0;
  std::uint32_t to = 0;
  std::uint32_t size = 0;
};

struct DefragmentPlan {
  // In the order they must run; an entry may move twice (through a free run).
  std::vector<MacroMove> moves;
  // Entries that stay short of their packed place: no safe free run existed.
  std::vector<int> leftInPlace;
  // Two entries claim the same bytes: nothing may be moved.
  bool overlapping = false;
};

class MacroSpace {
 public:
  explicit MacroSpace(const std::vector<MouseMacro>& macros);
  explicit MacroSpace(std::vector<MacroRange> ranges);

  // The used ranges, in address order.
  const std::vector<MacroRange>& Ranges() const { return ranges_; }
  // Free runs, in address order.
  std::vector<MacroRange> FreeRuns() const;
  int FreeBytes() const;
  // First fit of `size` bytes; 0 bytes and more than the area never fit.
  Allocation Allocate(std::uint32_t size) const;
  // True when two used ranges share a byte.
  bool Overlapping() const;
  // Every pair of used ranges that share a byte, each pair in address order.
  std::vector<std::pair<MacroRange, MacroRange>> Overlaps() const;

 private:
  std::vector<MacroRange> ranges_;
};

// The moves that pack every macro at the start of the area, in their address
// order, keeping the invariant above.
DefragmentPlan PlanDefragment(const std::vector<MacroRange>& ranges);

}  // namespace device
