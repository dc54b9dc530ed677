// Storing, removing and packing macros in the simulated mouse's memory,
// checked on the mouse's own memory and button table.
#include <gtest/gtest.h>

#include "device/MacroStore.h"
#include "unit/device/MacroMemory.h"
#include "unit/device/OperationRig.h"

using device::MacroButtons;
using device::MacroOperationResult;
using device::MacroStore;
using macro_memory::AreaBytes;
using macro_memory::EntryWords;
using macro_memory::Macro;
using macro_memory::PlaceMacro;

namespace {

struct StoreRig {
  OperationRig ops;
  MacroButtons buttons;
  MacroStore store{ops.rig.link, ops.rig.Path(), buttons, &ops.window, &ops.buttons};
  sim::SimulatedMouse& Mouse() { return ops.rig.Mouse(); }
  // Gives a button a macro, on the mouse and in what the program knows.
  void Assign(int profile, int button, std::uint16_t start) {
    buttons.At(profile, button) = {device::kMacroFunction, start};
    Mouse().buttonFunctions[static_cast<std::size_t>(profile)][static_cast<std::size_t>(device::DeviceButtonIndex(button))] =
        {device::kMacroFunction, start};
  }
  sim::ButtonFunction OnMouse(int profile, int button) {
    return Mouse().buttonFunctions[static_cast<std::size_t>(profile)][static_cast<std::size_t>(device::DeviceButtonIndex(button))];
  }
};

}  // namespace

TEST(MacroStore, StoresIntoTheFirstFreeRunAndReplacesASameNamedMacroInPlaceOrElsewhere) {
  StoreRig rig;
  PlaceMacro(rig.Mouse(), 0, 0, Macro(1, 40), u"first");
  PlaceMacro(rig.Mouse(), 1, 100, Macro(2, 50), u"second");
  rig.Assign(0, 3, 100);
  rig.Assign(2, 7, 100);

  // A 60-byte gap lies between the two: 60 bytes fit exactly.
  const auto fresh = Macro(3, 60);
  MacroOperationResult result = rig.store.Store(u"fourteen chars", fresh);
  EXPECT_FALSE(result.Failed()) << result.problem;
  EXPECT_EQ(result.entry, 2);
  EXPECT_EQ(result.start, 40u);
  EXPECT_EQ(AreaBytes(rig.Mouse(), 40, 60), fresh);
  EXPECT_EQ(EntryWords(rig.Mouse(), 2), std::make_pair(40u, 99u));
  ASSERT_EQ(rig.store.Macros().size(), 3u) << "the directory is read again";
  EXPECT_EQ(rig.store.Macros()[2].name, u"fourteen chars");
  EXPECT_EQ(rig.Mouse().protocolErrors, std::vector<std::string>{});

  // Shorter under the same name: over its own bytes, the buttons given back.
  const auto shorter = Macro(4, 30);
  result = rig.store.Store(u"second", shorter);
  EXPECT_FALSE(result.Failed()) << result.problem;
  EXPECT_TRUE(result.replaced);
  EXPECT_EQ(result.start, 100u);
  EXPECT_EQ(AreaBytes(rig.Mouse(), 100, 30), shorter);
  EXPECT_EQ(EntryWords(rig.Mouse(), 1), std::make_pair(100u, 129u));
  EXPECT_EQ(rig.OnMouse(0, 3).kind, device::kMacroFunction);
  EXPECT_EQ(rig.OnMouse(2, 7).code, 100);
  EXPECT_EQ(result.buttonsSent, 4) << "off while rewritten, then on again";

  // Longer than its own run (a macro now follows it): written into the
  // first free run, the entry and both buttons pointed at it.
  PlaceMacro(rig.Mouse(), 7, 130, Macro(6, 10), u"blocker");
  const auto longer = Macro(5, 200);
  result = rig.store.Store(u"second", longer);
  EXPECT_FALSE(result.Failed()) << result.problem;
  EXPECT_EQ(result.start, 140u);
  EXPECT_EQ(AreaBytes(rig.Mouse(), 140, 200), longer);
  EXPECT_EQ(EntryWords(rig.Mouse(), 1), std::make_pair(140u, 339u));
  EXPECT_EQ(rig.OnMouse(0, 3).code, 140);
  EXPECT_EQ(rig.OnMouse(2, 7).code, 140);
  EXPECT_EQ(rig.buttons.At(2, 7).code, 140);
  ASSERT_FALSE(rig.ops.buttons.entries.empty());
  EXPECT_EQ(rig.ops.buttons.entries.back(), std::make_tuple(2, 7, 0x80, 140)) << "the window's table hears it";
  EXPECT_DOUBLE_EQ(rig.ops.window.fractions.end()[-2], 1.0);
  EXPECT_EQ(rig.store.Store(u"", fresh).problem, "a macro name has 1 to 14 characters");
  EXPECT_TRUE(rig.store.Store(u"fifteen chars!!", fresh).refused);
}

TEST(MacroStore, TellsMissingSpaceFromFragmentedSpaceAndWritesNothing) {
  StoreRig rig;
  // Free: 100 bytes at the start, 188 at the end.
  PlaceMacro(rig.Mouse(), 0, 100, Macro(1, 5600), u"huge");
  rig.ops.rig.Forget();
  MacroOperationResult result = rig.store.Store(u"big", Macro(2, 289));
  EXPECT_TRUE(result.notEnoughSpace);
  EXPECT_FALSE(result.needsDefragment);
  result = rig.store.Store(u"middling", Macro(2, 288));
  EXPECT_TRUE(result.needsDefragment);
  EXPECT_FALSE(result.notEnoughSpace);
  for (const std::string& request : rig.ops.rig.Requests()) {
    EXPECT_EQ(request.rfind("set 02 00 ", 0), 0u) << "only reads: " << request;
  }
  EXPECT_FALSE(rig.store.Store(u"small", Macro(2, 188)).Failed());
}

TEST(MacroStore, RemovesAMacroAfterGivingItsButtonsTheirOwnFunctionBack) {
  StoreRig rig;
  PlaceMacro(rig.Mouse(), 0, 0, Macro(1, 40), u"keep");
  PlaceMacro(rig.Mouse(), 5, 40, Macro(2, 40), u"drop");
  rig.Assign(0, 4, 40);
  rig.Assign(4, 11, 40);
  rig.Assign(1, 2, 0);
  MacroOperationResult result = rig.store.Remove(5);
  EXPECT_FALSE(result.Failed()) << result.problem;
  EXPECT_EQ(result.buttonsSent, 2);
  EXPECT_EQ(rig.OnMouse(0, 4).kind, 0);
  EXPECT_EQ(rig.OnMouse(0, 4).code, 0xFFFF);
  EXPECT_EQ(rig.OnMouse(4, 11).code, 0xFFFF);
  EXPECT_EQ(rig.OnMouse(1, 2).code, 0) << "another macro's button stays";
  EXPECT_EQ(EntryWords(rig.Mouse(), 5), std::make_pair(0xFFFFu, 0xFFFFu));
  // The buttons go first: no request clears the entry before the last button.
  const auto requests = rig.ops.rig.Requests();
  const auto lastButton = std::find_if(requests.rbegin(), requests.rend(),
                                       [](const std::string& r) { return r.rfind("set 01 85 ", 0) == 0; });
  const auto clearStart = std::find(requests.begin(), requests.end(), "set 02 02 A0 00 00 FF FF 12");
  ASSERT_NE(clearStart, requests.end());
  EXPECT_LT(requests.rend() - lastButton - 1, clearStart - requests.begin());
  ASSERT_EQ(rig.store.Macros().size(), 1u);
  EXPECT_TRUE(rig.store.Remove(5).refused) << "nothing left in entry 5";

  // Buttons nobody knows: every one of every profile gets its own function.
  rig.buttons.known = false;
  result = rig.store.Remove(0);
  EXPECT_EQ(result.buttonsSent, 60);
  EXPECT_EQ(rig.OnMouse(1, 2).code, 0xFFFF);
}

TEST(MacroStore, PacksTheAreaMovingEveryButtonAlongAndStopsAtTheFirstRefusedRequest) {
  StoreRig rig;
  const std::vector<std::pair<std::uint32_t, std::size_t>> layout = {{300, 120}, {30, 50}, {1000, 900}, {2000, 75}};
  std::vector<std::vector<std::uint8_t>> macros;
  for (std::size_t i = 0; i < layout.size(); ++i) {
    macros.push_back(Macro(static_cast<int>(i), layout[i].second));
    PlaceMacro(rig.Mouse(), static_cast<int>(i), layout[i].first, macros.back(), u"m" + std::u16string(1, u'0' + i));
  }
  rig.Assign(0, 0, 1000);
  rig.Assign(3, 9, 30);
  MacroOperationResult result = rig.store.Defragment();
  EXPECT_FALSE(result.Failed()) << result.problem;
  EXPECT_TRUE(result.leftInPlace.empty());
  // In address order: entry 1 at 0 and entry 2 at 170 move by less than
  // their size and are parked on the way; 0 goes to 50, 3 to 1070.
  const std::pair<int, std::uint32_t> packed[] = {{1, 0}, {0, 50}, {2, 170}, {3, 1070}};
  for (const auto& [entry, start] : packed) {
    const std::size_t size = macros[static_cast<std::size_t>(entry)].size();
    EXPECT_EQ(EntryWords(rig.Mouse(), entry), std::make_pair(start, start + static_cast<std::uint32_t>(size) - 1));
    EXPECT_EQ(AreaBytes(rig.Mouse(), start, size), macros[static_cast<std::size_t>(entry)]) << "entry " << entry;
  }
  EXPECT_EQ(result.macrosMoved, 6);
  EXPECT_EQ(rig.OnMouse(0, 0).code, 170);
  EXPECT_EQ(rig.OnMouse(3, 9).code, 0);
  EXPECT_EQ(rig.store.Defragment().macrosMoved, 0) << "packed already";

  PlaceMacro(rig.Mouse(), 9, 3000, Macro(9, 64), u"late");
  rig.Mouse().faults.unplugAfterRequests = rig.Mouse().RequestsServed() + 308;
  result = rig.store.Defragment();
  EXPECT_TRUE(result.mouseGone);
  EXPECT_EQ(result.problem.rfind("entry 9: bytes ", 0), 0u) << result.problem;
  EXPECT_TRUE(result.Failed());
}

TEST(MacroStore, AStoredMacroGivenToAButtonIsPlayedByTheMouseItself) {
  StoreRig rig;
  // Ctrl+C, 20 ms between.
  const std::vector<std::uint8_t> copy = {0x04, 0x83, 0xE0, 0x83, 0x06, 0x88, 0x14, 0x84, 0x06, 0x84, 0xE0, 0x00};
  const MacroOperationResult stored = rig.store.Store(u"Copy", copy);
  ASSERT_FALSE(stored.Failed()) << stored.problem;
  ASSERT_EQ(device::SetButtonFunction(rig.ops.rig.link, rig.ops.rig.Path(), 0, 3, device::kMacroFunction,
                                      static_cast<std::uint16_t>(stored.start), nullptr),
            1);
  rig.buttons.At(0, 3) = {device::kMacroFunction, static_cast<std::uint16_t>(stored.start)};
  rig.ops.rig.Forget();
  rig.ops.rig.port.InputReport(0, 0x0010);  // button 3 as the user counts, 4 as the mouse does
  const std::vector<std::string> expected = {"own 0D 01 E0 00 00 00 00 EC", "own 0D 01 06 00 00 00 00 0A",
                                             "own wait 20", "own 0D 02 06 00 00 00 00 09",
                                             "own 0D 02 E0 00 00 00 00 EF"};
  EXPECT_EQ(rig.ops.rig.Requests(), expected);
  EXPECT_FALSE(rig.store.Remove(stored.entry).Failed());
  rig.ops.rig.Forget();
  rig.ops.rig.port.InputReport(0, 0x0000);
  rig.ops.rig.port.InputReport(0, 0x0010);
  EXPECT_EQ(rig.ops.rig.Requests(), std::vector<std::string>{}) << "removed: the button does its own function";
}
