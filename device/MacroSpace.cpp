#include "device/MacroSpace.h"

#include <algorithm>

#include "macro/MacroDirectory.h"

namespace device {
namespace {

constexpr auto kAreaSize = static_cast<std::uint32_t>(kMacroAreaSize);

void SortByStart(std::vector<MacroRange>& ranges) {
  std::stable_sort(ranges.begin(), ranges.end(),
                   [](const MacroRange& a, const MacroRange& b) { return a.start < b.start; });
}

bool Disjoint(std::uint32_t aStart, std::uint32_t aSize, std::uint32_t bStart, std::uint32_t bSize) {
  return aStart + aSize <= bStart || bStart + bSize <= aStart;
}

}  // namespace

MacroSpace::MacroSpace(const std::vector<MouseMacro>& macros) {
  for (const MouseMacro& macro : macros) ranges_.push_back({macro.entry, macro.start, macro.Size()});
  SortByStart(ranges_);
}

MacroSpace::MacroSpace(std::vector<MacroRange> ranges) : ranges_(std::move(ranges)) { SortByStart(ranges_); }

std::vector<MacroRange> MacroSpace::FreeRuns() const {
  std::vector<MacroRange> runs;
  std::uint32_t next = 0;
  for (const MacroRange& range : ranges_) {
    if (range.start > next) runs.push_back({-1, next, range.start - next});
    next = std::max(next, range.start + range.size);
  }
  if (next < kAreaSize) runs.push_back({-1, next, kAreaSize - next});
  return runs;
}

int MacroSpace::FreeBytes() const {
  int free = 0;
  for (const MacroRange& run : FreeRuns()) free += static_cast<int>(run.size);
  return free;
}

Allocation MacroSpace::Allocate(std::uint32_t size) const {
  Allocation allocation;
  if (size == 0 || size > kAreaSize || static_cast<int>(size) > FreeBytes()) return allocation;
  allocation.verdict = SpaceVerdict::kFragmented;
  for (const MacroRange& run : FreeRuns()) {
    if (run.size >= size) {
      allocation.verdict = SpaceVerdict::kFits;
      allocation.start = run.start;
      break;
    }
  }
  return allocation;
}

bool MacroSpace::Overlapping() const {
  for (std::size_t i = 1; i < ranges_.size(); ++i) {
    if (ranges_[i].start <= ranges_[i - 1].End()) return true;
  }
  return false;
}

std::vector<std::pair<MacroRange, MacroRange>> MacroSpace::Overlaps() const {
  std::vector<std::pair<MacroRange, MacroRange>> pairs;
  // Sorted by start, a range can only share bytes with those starting within it.
  for (std::size_t i = 0; i < ranges_.size(); ++i) {
    for (std::size_t j = i + 1; j < ranges_.size() && ranges_[j].start <= ranges_[i].End(); ++j) {
      pairs.emplace_back(ranges_[i], ranges_[j]);
    }
  }
  return pairs;
}

namespace {

// The highest free place of `size` bytes that overlaps neither a used range
// nor `avoid .. avoid + size - 1`. The top of the area is the part the packed
// macros reach last.
bool FindParking(const std::vector<MacroRange>& used, std::uint32_t size, std::uint32_t avoid,
                 std::uint32_t& place) {
  std::vector<MacroRange> blocked = used;
  blocked.push_back({-1, avoid, size});
  const std::vector<MacroRange> runs = MacroSpace(std::move(blocked)).FreeRuns();
  for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
    if (run->size >= size) {
      place = run->start + run->size - size;
      return true;
    }
  }
  return false;
}

}  // namespace

DefragmentPlan PlanDefragment(const std::vector<MacroRange>& ranges) {
  DefragmentPlan plan;
  std::vector<MacroRange> live = MacroSpace(ranges).Ranges();
  if (MacroSpace(live).Overlapping()) {
    plan.overlapping = true;
    return plan;
  }
  auto move = [&plan](MacroRange& range, std::uint32_t to) {
    plan.moves.push_back({range.entry, range.start, to, range.size});
    range.start = to;
  };
  // Each pass moves at least one macro closer to the start, or ends the loop.
  bool moved = true;
  while (moved) {
    moved = false;
    SortByStart(live);
    std::uint32_t target = 0;
    for (std::size_t i = 0; i < live.size(); ++i) {
      MacroRange& range = live[i];
      // Everything before `range` already ends below `target`, everything
      // after it starts beyond its end: only its own old bytes can collide.
      if (range.start != target) {
        if (Disjoint(target, range.size, range.start, range.size)) {
          move(range, target);
          moved = true;
        } else {
          std::uint32_t parking = 0;
          if (FindParking(live, range.size, target, parking)) {
            move(range, parking);
            move(range, target);
            moved = true;
          }
        }
      }
      target = range.start + range.size;
    }
  }
  SortByStart(live);
  std::uint32_t target = 0;
  for (const MacroRange& range : live) {
    if (range.start != target) plan.leftInPlace.push_back(range.entry);
    target = range.start + range.size;
  }
  return plan;
}

}  // namespace device
