#include <gtest/gtest.h>

#include "macro/LibraryView.h"
#include "macro/MacroLibrary.h"

namespace {

std::vector<std::u16string> Names(const LibraryView& view) {
  std::vector<std::u16string> names;
  for (const LibraryEntry* entry : view.rows) names.push_back(entry->name);
  return names;
}

MacroCommands TwoCommands() {
  MacroCommands commands = NewMacro();
  commands.push_back(MakeWait(300));
  Renumber(commands);
  return commands;
}

}  // namespace

TEST(MacroLibrary, NumbersEntriesAfterTheLastOneAndFindsOnlyMacrosById) {
  MacroLibrary library;
  EXPECT_EQ(library.AddEntry(u"a", false, 0, 0, TwoCommands()).id, 1u);
  LibraryEntry& group = library.AddEntry(u"g", true, 0, 0, TwoCommands());
  EXPECT_EQ(group.id, 2u);
  EXPECT_TRUE(group.commands.empty());
  EXPECT_EQ(library.FindMacroById(2), nullptr) << "a group is no macro";
  EXPECT_EQ(library.FindMacroById(0), nullptr);
  LibraryEntry& last = library.AddEntry(u"b", false, 2, 0, TwoCommands());
  EXPECT_EQ(last.id, 3u);
  EXPECT_EQ(last.size, 4u);
  EXPECT_EQ(library.FindMacroById(3), &last);
  library.RemoveEntry(&last);
  EXPECT_EQ(library.AddEntry(u"c", false, 0, 0, TwoCommands()).id, 3u);
}

TEST(MacroLibrary, PicksTheFirstFreeNumberIgnoringCase) {
  MacroLibrary library;
  EXPECT_EQ(library.UniqueName(u"New macro"), u"New macro 0");
  library.AddEntry(u"NEW MACRO 0", false, 0, 0, NewMacro());
  library.AddEntry(u"new macro 2", false, 0, 0, NewMacro());
  EXPECT_EQ(library.UniqueName(u"New macro"), u"New macro 1");
  EXPECT_EQ(library.UniqueName(u"100%s"), u"100%s 0");
}

TEST(MacroLibrary, GivesTheLastCandidateWhenEveryNameIsTaken) {
  MacroLibrary library;
  for (int n = 0; n < 2000; ++n) {
    std::u16string name = u"g ";
    for (char c : std::to_string(n)) name.push_back(static_cast<char16_t>(c));
    library.AddEntry(name, true, 0, 0, {});
  }
  EXPECT_EQ(library.UniqueName(u"G"), u"G 1999");
}

TEST(MacroLibrary, ClearsARemovedMacroFromTheFirstTenProfilesOfEveryMouse) {
  MacroLibrary library;
  library.AddEntry(u"a", false, 0, 0, NewMacro());
  LibraryEntry& b = library.AddEntry(u"b", false, 0, 0, NewMacro());
  auto& first = library.devices[7];
  auto& second = library.devices[9];
  first.rows[0][3] = 2;
  first.rows[9][19] = 2;
  first.rows[10][0] = 2;
  first.rows[0][4] = 1;
  second.rows[5][5] = 2;
  EXPECT_EQ(library.RemoveEntry(&b), 1);
  EXPECT_EQ(first.rows[0][3], 0u);
  EXPECT_EQ(first.rows[9][19], 0u);
  EXPECT_EQ(first.rows[10][0], 2u);
  EXPECT_EQ(first.rows[0][4], 1u);
  EXPECT_EQ(second.rows[5][5], 0u);
  EXPECT_EQ(library.RemoveEntry(&b), 0);
}

TEST(RebuildView, ListsGroupsThenChildrenOfExpandedGroupsThenTheUngrouped) {
  MacroLibrary library;
  LibraryEntry& tools = library.AddEntry(u"tools", true, 0, LibraryEntry::kExpanded, {});
  LibraryEntry& games = library.AddEntry(u"games", true, 0, 0, {});
  library.AddEntry(u"zoom", false, tools.id, 0, NewMacro());
  library.AddEntry(u"copy", false, tools.id, 0, NewMacro());
  library.AddEntry(u"jump", false, games.id, 0, NewMacro());
  library.AddEntry(u"orphan", false, 99, 0, NewMacro());
  library.AddEntry(u"Alpha", false, 0, 0, NewMacro());
  library.AddEntry(u"alpha", false, 0, 0, NewMacro());
  LibraryView view;
  RebuildView(library, view, 10);
  EXPECT_EQ(Names(view), (std::vector<std::u16string>{u"games", u"tools", u"copy", u"zoom", u"Alpha", u"alpha",
                                                       u"orphan"}));
  EXPECT_EQ(games.size, 1u);  // a collapsed group still counts its children
  EXPECT_EQ(tools.size, 2u);
  EXPECT_EQ(view.rows[2]->listedUngrouped, 0u);
  EXPECT_EQ(view.rows[6]->listedUngrouped, 1u);

  games.flags |= LibraryEntry::kExpanded;
  RebuildView(library, view, 10);
  EXPECT_EQ(view.rows[1]->name, u"jump");
}

TEST(RebuildView, KeepsTheSelectedEntryAndScrollsItIntoView) {
  MacroLibrary library;
  for (char16_t c = u'a'; c <= u'j'; ++c) library.AddEntry(std::u16string(1, c), false, 0, 0, NewMacro());
  LibraryView view;
  RebuildView(library, view, 4);
  view.selected = 2;  // "c"
  for (const char16_t* name : {u"0", u"1", u"2"}) library.AddEntry(name, false, 0, 0, NewMacro());
  RebuildView(library, view, 4);
  EXPECT_EQ(view.SelectedEntry()->name, u"c");
  EXPECT_EQ(view.selected, 5);
  EXPECT_EQ(view.firstVisible, 2);
}

TEST(RebuildView, ListsTheChildrenOfARemovedGroupAsUngrouped) {
  MacroLibrary library;
  library.AddEntry(u"group", true, 0, LibraryEntry::kExpanded, {});
  library.AddEntry(u"child", false, 1, 0, NewMacro());
  LibraryView view;
  RebuildView(library, view, 10);
  ASSERT_EQ(Names(view), (std::vector<std::u16string>{u"group", u"child"}));
  view.selected = 0;
  EXPECT_EQ(RemoveEntry(library, view, 0), 1);
  RebuildView(library, view, 10);
  EXPECT_EQ(Names(view), std::vector<std::u16string>{u"child"});
  EXPECT_EQ(view.rows[0]->parent, 1u);
  EXPECT_EQ(view.selected, 0);
}

TEST(RemoveEntry, MovesTheSelectionUpWhenTheLastRowGoes) {
  MacroLibrary library;
  for (const char16_t* name : {u"a", u"b", u"c"}) library.AddEntry(name, false, 0, 0, NewMacro());
  LibraryView view;
  RebuildView(library, view, 10);
  view.selected = 2;
  EXPECT_EQ(RemoveEntry(library, view, 2), 1);
  RebuildView(library, view, 10);
  EXPECT_EQ(view.selected, 1);
  EXPECT_EQ(view.SelectedEntry()->name, u"b");
  EXPECT_EQ(RemoveEntry(library, view, 5), 0);
  RemoveEntry(library, view, 0);
  RemoveEntry(library, view, 0);
  RebuildView(library, view, 10);
  EXPECT_EQ(view.Count(), 0);
  EXPECT_EQ(view.selected, -1);
  EXPECT_EQ(view.SelectedEntry(), nullptr);
}
