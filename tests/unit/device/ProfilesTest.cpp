// The per-mouse settings made or found at arrival, the button masks built
// from the current software profile's row, and the row edits that save the
// library and send the masks.
#include <gtest/gtest.h>

#include "ConnectionRig.h"
#include "macro/LibraryFile.h"

namespace {

constexpr std::uint32_t kIdentity = 0x5A3C0001;

// The button row of profile 0 as the library file holds it.
std::array<std::uint32_t, kRowValues> SavedRow(const std::filesystem::path& file) {
  MacroLibrary saved;
  LibraryView view;
  EXPECT_EQ(LoadLibrary(saved, view, file, 0).result, LibraryLoad::kLoaded);
  return saved.devices[kIdentity].rows[0];
}

TEST(MouseSettings, ANewMouseGetsSevenNamedProfilesWithTheirDefaults) {
  ConnectionRig rig;
  rig.profiles.SetUnknownModeText(u"Mode inconnu");
  rig.Arrive();
  ASSERT_EQ(rig.library.devices.count(kIdentity), 1u);
  const DeviceProfileRecord& record = rig.library.devices[kIdentity];
  EXPECT_EQ(record.profileCount, 7u);
  EXPECT_EQ(record.currentProfile, 0u);
  EXPECT_EQ(record.profileName[0], u"Mode inconnu 1");
  EXPECT_EQ(record.profileName[6], u"Mode inconnu 7");
  EXPECT_TRUE(record.profileName[7].empty());
  EXPECT_EQ(record.profileCode[6], 18u);
  EXPECT_EQ(record.profileCode[7], 0u);
  EXPECT_EQ(rig.profiles.CurrentSoftwareProfile(), 0);
}

TEST(MouseSettings, AKnownMouseKeepsItsRecordWithinItsLimits) {
  ConnectionRig rig;
  DeviceProfileRecord known;
  known.profileCount = 12;
  known.profileSetting = 9;
  known.currentProfile = 11;
  known.profileName[0] = u"Work";
  rig.library.devices[kIdentity] = known;
  rig.Arrive();
  const DeviceProfileRecord& record = rig.library.devices[kIdentity];
  EXPECT_EQ(record.profileCount, 7u);
  EXPECT_EQ(record.profileSetting, 3u);
  EXPECT_EQ(record.profileName[0], u"Work");
  EXPECT_EQ(rig.profiles.CurrentSoftwareProfile(), 6);
  EXPECT_EQ(rig.library.devices.size(), 1u);
}

TEST(ButtonMasks, ComeFromTheRowInTheMousesNumbering) {
  std::array<std::uint32_t, kRowValues> row{};
  row[3] = 7;
  EXPECT_EQ(MasksForRow(row).maskA, 0xEF);
  EXPECT_EQ(MasksForRow(row).maskB, 0xFF);
  row = {};
  row[0] = 1;
  row[4] = 1;
  row[7] = 1;
  row[9] = 1;
  row[10] = 1;
  row[11] = 1;
  EXPECT_EQ(MasksForRow(row).maskA, 0x76);
  EXPECT_EQ(MasksForRow(row).maskB, 0xFD);
}

TEST(ButtonMasks, AreSentToTheMouseAtArrival) {
  ConnectionRig rig;
  const std::uint32_t id = rig.library.AddEntry(u"m", false, 0, 0, MacroOf({0x04})).id;
  DeviceProfileRecord known;
  known.currentProfile = 2;
  known.rows[2][8] = id;
  known.rows[0][0] = id;
  rig.library.devices[kIdentity] = known;
  rig.Arrive();
  EXPECT_EQ(rig.Mouse().maskA, 0xFF);
  EXPECT_EQ(rig.Mouse().maskB, 0xFE);
}

TEST(SelectProfile, SwitchesAsTheProfileButtonDoesAndSendsNothingForTheCurrentOne) {
  ConnectionRig rig;
  rig.Arrive();
  rig.library.devices[kIdentity].rows[4][3] = rig.library.AddEntry(u"m", false, 0, 0, MacroOf({0x04})).id;
  rig.Forget();
  EXPECT_EQ(rig.connection.SelectSoftwareProfile(4), 4);
  EXPECT_EQ(rig.profiles.CurrentSoftwareProfile(), 4);
  EXPECT_EQ(rig.Mouse().maskA, 0xEF);
  EXPECT_EQ(rig.Mouse().parameters[0], 8) << "the fifth profile's colour is red and blue";
  EXPECT_EQ(rig.Mouse().parameters[2], 8);
  MacroLibrary saved;
  LibraryView view;
  ASSERT_EQ(LoadLibrary(saved, view, rig.file, 0).result, LibraryLoad::kLoaded);
  EXPECT_EQ(saved.devices[kIdentity].currentProfile, 4u);
  EXPECT_EQ(rig.view.Calls(), std::vector<std::string>{"settings"});

  rig.Forget();
  EXPECT_EQ(rig.connection.SelectSoftwareProfile(4), 4);
  EXPECT_EQ(rig.connection.SelectSoftwareProfile(7), -1);
  EXPECT_TRUE(rig.Requests().empty());
  EXPECT_TRUE(rig.view.Calls().empty());

  rig.connection.ArrivalBusy = true;
  EXPECT_EQ(rig.connection.SelectSoftwareProfile(2), 2);
  rig.connection.ArrivalBusy = false;
  EXPECT_EQ(rig.profiles.CurrentSoftwareProfile(), 2);
  EXPECT_TRUE(rig.Requests().empty()) << "the arrival sends the masks at its end";
}

TEST(RowValue, DroppingAMacroSavesTheLibraryAndSendsTheMasks) {
  ConnectionRig rig;
  rig.Arrive();
  const std::uint32_t id = rig.library.AddEntry(u"m", false, 0, 0, MacroOf({0x04, 0x83, 0x04})).id;
  EXPECT_EQ(rig.connection.SetRowValue(1, id), 1);
  EXPECT_EQ(rig.Mouse().maskA, 0xFD);
  EXPECT_EQ(SavedRow(rig.file)[1], id);

  EXPECT_EQ(rig.connection.ClearRowValue(1), 1);
  EXPECT_EQ(rig.Mouse().maskA, 0xFF);
  EXPECT_EQ(SavedRow(rig.file)[1], 0u);
}

TEST(RowValue, RefusesGroupsUnknownIdsAndButtonsPastTheLast) {
  ConnectionRig rig;
  rig.Arrive();
  const std::uint32_t group = rig.library.AddEntry(u"g", true, 0, 0, {}).id;
  EXPECT_EQ(rig.profiles.SetRowValue(0, group), 0);
  EXPECT_EQ(rig.profiles.SetRowValue(0, 99), 0);
  const std::uint32_t id = rig.library.AddEntry(u"m", false, 0, 0, MacroOf({0x04})).id;
  EXPECT_EQ(rig.profiles.SetRowValue(kRowButtons, id), 0);
  EXPECT_EQ(rig.profiles.SetRowValue(-1, id), 0);
  EXPECT_EQ(rig.profiles.RowValue(0), 0u);
  EXPECT_FALSE(std::filesystem::exists(rig.file));
}

TEST(RowValue, NeedsAMouse) {
  ConnectionRig rig(0);
  rig.Arrive();
  const std::uint32_t id = rig.library.AddEntry(u"m", false, 0, 0, MacroOf({0x04})).id;
  EXPECT_EQ(rig.connection.SetRowValue(0, id), 0);
  EXPECT_EQ(rig.profiles.NextProfile(), -1);
  EXPECT_EQ(rig.connection.SelectSoftwareProfile(1), -1);
  EXPECT_TRUE(rig.port.Requests().empty());
}

}  // namespace
