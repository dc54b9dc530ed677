// Where a macro fits in the macro area, and the order of the moves that pack
// the area without ever naming a half-written macro.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "device/MacroSpace.h"

using device::MacroRange;
using device::MacroSpace;
using device::SpaceVerdict;

namespace {

std::vector<MacroRange> Layout(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> startsAndSizes) {
  std::vector<MacroRange> ranges;
  int entry = 0;
  for (const auto& [start, size] : startsAndSizes) ranges.push_back({entry++, start, size});
  return ranges;
}

// Runs a plan on a model of the area whose bytes name their owner, checking
// before every move that its destination overlaps no live range; returns
// each entry's final start, or an empty map when a check failed.
std::map<int, std::uint32_t> Execute(const std::vector<MacroRange>& ranges, const device::DefragmentPlan& plan) {
  std::vector<int> owner(5888, -1);
  std::map<int, MacroRange> live;
  for (const MacroRange& range : ranges) {
    live[range.entry] = range;
    for (std::uint32_t a = range.start; a <= range.End(); ++a) owner[a] = range.entry;
  }
  for (const device::MacroMove& move : plan.moves) {
    const MacroRange& now = live.at(move.entry);
    EXPECT_EQ(move.from, now.start);
    EXPECT_EQ(move.size, now.size);
    for (const auto& [entry, range] : live) {
      if (move.to <= range.End() && range.start <= move.to + move.size - 1) {
        ADD_FAILURE() << "entry " << move.entry << " written over live entry " << entry << " at " << move.to;
        return {};
      }
    }
    if (move.to + move.size > 5888) return {};
    for (std::uint32_t i = 0; i < move.size; ++i) owner[move.to + i] = owner[move.from + i];
    live[move.entry].start = move.to;
  }
  std::map<int, std::uint32_t> starts;
  for (const auto& [entry, range] : live) {
    for (std::uint32_t a = range.start; a <= range.End(); ++a) {
      if (owner[a] != entry) return {};
    }
    starts[entry] = range.start;
  }
  return starts;
}

}  // namespace

TEST(MacroSpace, AllocatesFirstFitAndTellsMissingBytesFromFragmentedOnes) {
  struct Case {
    const char* what;
    std::vector<MacroRange> used;
    std::uint32_t size;
    SpaceVerdict verdict;
    std::uint32_t start;
  };
  const Case cases[] = {
      {"empty area", {}, 200, SpaceVerdict::kFits, 0},
      {"first run long enough", Layout({{0, 10}, {20, 10}, {100, 50}}), 30, SpaceVerdict::kFits, 30},
      {"exact fit of a gap", Layout({{0, 10}, {20, 10}, {100, 50}}), 10, SpaceVerdict::kFits, 10},
      {"exact fit of the tail", Layout({{0, 5800}}), 88, SpaceVerdict::kFits, 5800},
      {"whole area", {}, 5888, SpaceVerdict::kFits, 0},
      {"one byte too many", Layout({{0, 5800}}), 89, SpaceVerdict::kNotEnoughSpace, 0},
      {"no bytes", {}, 0, SpaceVerdict::kNotEnoughSpace, 0},
      {"more than the area", {}, 5889, SpaceVerdict::kNotEnoughSpace, 0},
      {"fragmented", Layout({{100, 2000}, {2200, 3588}}), 150, SpaceVerdict::kFragmented, 0},
  };
  for (const Case& c : cases) {
    const device::Allocation got = MacroSpace(c.used).Allocate(c.size);
    EXPECT_EQ(got.verdict, c.verdict) << c.what;
    if (c.verdict == SpaceVerdict::kFits) {
      EXPECT_EQ(got.start, c.start) << c.what;
    }
  }
  EXPECT_EQ(MacroSpace(Layout({{100, 2000}, {2200, 3588}})).FreeBytes(), 300);
  EXPECT_TRUE(MacroSpace(Layout({{0, 10}, {9, 10}})).Overlapping());
  EXPECT_FALSE(MacroSpace(Layout({{0, 10}, {10, 10}})).Overlapping());
  // A long range shares bytes with each range that starts inside it, neighbour or not.
  std::vector<std::pair<int, int>> pairs;
  for (const auto& [first, second] : MacroSpace(Layout({{50, 10}, {0, 100}, {100, 5}, {10, 10}})).Overlaps()) {
    pairs.emplace_back(first.entry, second.entry);
  }
  EXPECT_EQ(pairs, (std::vector<std::pair<int, int>>{{1, 3}, {1, 0}}));
}

TEST(MacroSpace, PacksEveryLayoutWithoutWritingOverALiveMacro) {
  struct Case {
    const char* what;
    std::vector<MacroRange> ranges;
    std::size_t moves;
    std::vector<int> left;
  };
  const Case cases[] = {
      {"already packed", Layout({{0, 10}, {10, 20}}), 0, {}},
      {"gaps wider than the macros", Layout({{50, 10}, {100, 20}, {300, 5}}), 3, {}},
      // Moves by 2 bytes: through a free run at the top, then home.
      {"shorter move than its size", Layout({{2, 100}}), 2, {}},
      // The middle one moves by 20 of its 30 bytes: parked, then home.
      {"entries out of address order", Layout({{400, 30}, {40, 30}, {0, 20}}), 3, {}},
      // No free run of 3000 bytes besides its own: the big one must stay.
      {"no room to park", Layout({{10, 3000}, {3100, 2700}}), 0, {0, 1}},
      {"small one packs behind a stuck one", Layout({{10, 3000}, {3500, 100}}), 1, {0}},
      // The first pass packs the two small ones and leaves 600 free bytes in
      // one run: the second pass parks entries 1 to 3 there on their way
      // home; the last one never finds 4400 bytes.
      {"a later pass parks in gathered space",
       Layout({{0, 100}, {150, 300}, {650, 150}, {1000, 150}, {1350, 4400}}), 8, {4}},
  };
  for (const Case& c : cases) {
    const device::DefragmentPlan plan = device::PlanDefragment(c.ranges);
    EXPECT_FALSE(plan.overlapping) << c.what;
    EXPECT_EQ(plan.moves.size(), c.moves) << c.what;
    EXPECT_EQ(plan.leftInPlace, c.left) << c.what;
    const std::map<int, std::uint32_t> starts = Execute(c.ranges, plan);
    ASSERT_EQ(starts.size(), c.ranges.size()) << c.what << ": a macro lost its bytes";
    if (!c.left.empty()) continue;
    std::uint32_t next = 0;
    const MacroSpace space(c.ranges);
    for (const MacroRange& range : space.Ranges()) {
      EXPECT_EQ(starts.at(range.entry), next) << c.what << ", entry " << range.entry;
      next += range.size;
    }
  }
  EXPECT_TRUE(device::PlanDefragment(Layout({{0, 10}, {5, 10}})).overlapping);
  EXPECT_TRUE(device::PlanDefragment(Layout({{0, 10}, {5, 10}})).moves.empty());
}
