#include <gtest/gtest.h>

#include "macro/LibraryPane.h"
#include "macro/VirtualKeys.h"

namespace {

MacroCommands WithWait(std::uint32_t milliseconds) {
  MacroCommands commands = NewMacro();
  commands.push_back(MakeWait(milliseconds));
  Renumber(commands);
  return commands;
}

struct Pane {
  MacroLibrary library;
  LibraryView view;
  LibraryPane pane{library, view};

  // `count` ungrouped macros named m00, m01 ...
  explicit Pane(int count = 0) {
    for (int i = 0; i < count; ++i) {
      library.AddEntry(u"m" + std::u16string(1, u'0' + i / 10) + std::u16string(1, u'0' + i % 10), false, 0, 0,
                       NewMacro());
    }
    pane.Rebuild();
  }
  std::u16string Name(int row) const { return pane.EntryAt(row) ? pane.EntryAt(row)->name : u"(none)"; }
};

}  // namespace

TEST(LibraryPane, StoringOnAnEmptySpotNumbersNewMacrosAndIntoAGroupExpandsIt) {
  Pane p;
  EXPECT_EQ(p.pane.WhereToStore(-1), StoreTarget::kNewMacro);
  EXPECT_EQ(p.pane.Store(-1, WithWait(5), u"New macro"), 0);
  EXPECT_EQ(p.Name(0), u"New macro 0");
  EXPECT_EQ(p.pane.EntryAt(0)->parent, 0u);
  EXPECT_EQ(p.pane.EntryAt(0)->size, 3u);
  p.pane.Store(7, WithWait(5), u"New macro");
  EXPECT_EQ(p.Name(p.pane.Selected()), u"New macro 1") << "a row past the end is an empty spot";

  const int groupRow = p.pane.NewGroup(u"New group");
  EXPECT_EQ(p.Name(groupRow), u"New group 0");
  EXPECT_EQ(p.pane.WhereToStore(groupRow), StoreTarget::kNewMacro);
  const int row = p.pane.Store(groupRow, WithWait(5), u"New macro");
  EXPECT_EQ(row, groupRow + 1) << "listed under its group, which is now expanded";
  EXPECT_EQ(p.Name(row), u"New macro 2");
  EXPECT_EQ(p.pane.Selected(), row);
  EXPECT_EQ(p.pane.EntryAt(row)->parent, p.pane.EntryAt(groupRow)->id);
}

TEST(LibraryPane, OverwritingKeepsTheEntryAndReplacesItsCommandsAndSize) {
  Pane p(12);
  p.pane.Select(0);
  const LibraryEntry* last = p.pane.EntryAt(11);
  const std::uint32_t id = last->id;
  EXPECT_EQ(p.pane.WhereToStore(11), StoreTarget::kOverwrite);
  EXPECT_EQ(p.pane.Store(11, WithWait(300), u"New macro"), 11);
  EXPECT_EQ(p.library.entries.size(), 12u);
  EXPECT_EQ(last->id, id);
  EXPECT_EQ(last->name, u"m11");
  ASSERT_EQ(last->commands.size(), 2u);
  EXPECT_EQ(last->commands[1].code[0], kOpWaitLong);
  EXPECT_EQ(last->size, 4u);
  EXPECT_EQ(p.pane.FirstVisible(), 3) << "the stored row is revealed";
}

TEST(LibraryPane, RemovingMovesTheSelectionUpFromTheLastRowAndFreesAGroupsMacros) {
  Pane p(3);
  p.library.devices[7].rows[0][2] = p.pane.EntryAt(2)->id;
  p.pane.Select(2);
  EXPECT_EQ(p.pane.RemovalQuestion(2, u"Remove the macro '%s' ?", u"group '%s'"), u"Remove the macro 'm02' ?");
  EXPECT_TRUE(p.pane.Remove(2));
  EXPECT_EQ(p.pane.Selected(), 1);
  EXPECT_EQ(p.Name(1), u"m01");
  EXPECT_EQ(p.library.devices[7].rows[0][2], 0u) << "the button no longer plays it";
  EXPECT_FALSE(p.pane.Remove(2));

  const int group = p.pane.NewGroup(u"A");
  EXPECT_TRUE(p.pane.MoveIntoGroup(2, group));
  EXPECT_FALSE(p.pane.MoveIntoGroup(1, group)) << "already there";
  EXPECT_FALSE(p.pane.MoveIntoGroup(0, 0)) << "a group goes into no group";
  EXPECT_EQ(p.pane.RemovalQuestion(0, u"macro '%s'", u"group '%s'"), u"group 'A 0'");
  EXPECT_TRUE(p.pane.Remove(0));
  ASSERT_EQ(p.pane.Count(), 2);
  EXPECT_EQ(p.Name(0), u"m00");
  EXPECT_EQ(p.pane.EntryAt(0)->listedUngrouped, 1u);
  EXPECT_EQ(p.Name(1), u"m01");
}

TEST(LibraryPane, RightExpandsAndLeftCollapsesOnlyTheSelectedGroup) {
  Pane p(2);
  const int group = p.pane.NewGroup(u"G");
  p.pane.MoveIntoGroup(2, group);
  EXPECT_TRUE(p.pane.ToggleGroup(group));
  EXPECT_EQ(p.pane.Count(), 2) << "collapsed";
  EXPECT_EQ(p.pane.OnKey(kKeyLeft), PaneKeyResult::kNone);
  EXPECT_EQ(p.pane.OnKey(kKeyRight), PaneKeyResult::kChanged);
  EXPECT_EQ(p.pane.Count(), 3);
  EXPECT_EQ(p.pane.OnKey(kKeyRight), PaneKeyResult::kNone);
  EXPECT_EQ(p.pane.OnKey(kKeyLeft), PaneKeyResult::kChanged);
  EXPECT_EQ(p.pane.Count(), 2);
  EXPECT_EQ(p.pane.OnKey(kKeyDown), PaneKeyResult::kMoved);
  EXPECT_EQ(p.pane.OnKey(kKeyRight), PaneKeyResult::kNone) << "a macro is no group";
  EXPECT_FALSE(p.pane.ToggleGroup(1));
  EXPECT_EQ(p.pane.OnKey(kKeyDelete), PaneKeyResult::kRemoveAsked);
  EXPECT_EQ(p.pane.Count(), 2) << "Delete only asks";
}

TEST(LibraryPane, KeysKeepTheSelectionInTheListAndInView) {
  Pane p(20);
  EXPECT_EQ(p.pane.OnKey(kKeyDown), PaneKeyResult::kMoved);
  EXPECT_EQ(p.pane.Selected(), 0) << "the first key selects the first row";
  EXPECT_EQ(p.pane.OnKey(kKeyUp), PaneKeyResult::kNone);
  p.pane.OnKey(kKeyPageDown);
  EXPECT_EQ(p.pane.Selected(), 9);
  EXPECT_EQ(p.pane.FirstVisible(), 1);
  p.pane.OnKey(kKeyEnd);
  EXPECT_EQ(p.pane.Selected(), 19);
  EXPECT_EQ(p.pane.FirstVisible(), 11);
  EXPECT_EQ(p.pane.OnKey(kKeyPageDown), PaneKeyResult::kNone);
  p.pane.OnKey(kKeyPageUp);
  EXPECT_EQ(p.pane.Selected(), 10);
  EXPECT_EQ(p.pane.FirstVisible(), 10);
  p.pane.OnKey(kKeyHome);
  EXPECT_EQ(p.pane.FirstVisible(), 0);
  EXPECT_EQ(Pane().pane.OnKey(kKeyDown), PaneKeyResult::kNone);
}

TEST(LibraryPane, WheelAndEdgeScrollingStopAtTheFirstAndTheLastRow) {
  Pane p(12);
  EXPECT_FALSE(p.pane.Wheel(1));
  EXPECT_TRUE(p.pane.Wheel(-3));
  EXPECT_EQ(p.pane.FirstVisible(), 1) << "one row per wheel message";
  EXPECT_TRUE(p.pane.ScrollBy(20));
  EXPECT_EQ(p.pane.FirstVisible(), 11);
  EXPECT_FALSE(p.pane.ScrollBy(1)) << "the timer can stop";
  EXPECT_FALSE(p.pane.Wheel(-1));
  EXPECT_TRUE(p.pane.ScrollBy(-2));
  EXPECT_EQ(p.pane.FirstVisible(), 9);
  EXPECT_TRUE(p.pane.ScrollBy(-20));
  EXPECT_EQ(p.pane.FirstVisible(), 0);
  EXPECT_FALSE(Pane().pane.ScrollBy(-1));
}

TEST(LibraryPane, RenameRefusesEmptyAndTooLongNames) {
  Pane p(2);
  const std::u16string name28(28, u'a');
  EXPECT_FALSE(p.pane.Rename(0, name28 + u"a"));
  EXPECT_FALSE(p.pane.Rename(0, u""));
  EXPECT_FALSE(p.pane.Rename(0, u"m00")) << "unchanged";
  EXPECT_FALSE(p.pane.Rename(0, name28, LibraryPane::kShortNameLength));
  EXPECT_TRUE(p.pane.Rename(0, std::u16string(14, u'y'), LibraryPane::kShortNameLength));
  p.pane.Select(1);
  EXPECT_TRUE(p.pane.Rename(1, name28));
  EXPECT_EQ(p.Name(0), name28) << "re-sorted";
  EXPECT_EQ(p.pane.Selected(), 0) << "the renamed entry stays selected";
}
