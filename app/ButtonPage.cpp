#include "app/ButtonPage.h"

#include <algorithm>

#include "base/DiagLog.h"
#include "ui/ButtonPagePainter.h"
#include "ui/SkinLayout.h"

void ButtonPage::OnMouseRead(const MouseReading& reading, const UiText& texts, WindowActions& out) {
  attached = reading.attached;
  macros = reading.macros;
  mouseNames = reading.profileNames;
  FillLists(texts, out);
}

void ButtonPage::OnButtonsChanged(const device::MacroButtons& buttons, const UiText& texts, WindowActions& out) {
  assignment.TakeButtons(buttons);
  FillLists(texts, out);
}

int ButtonPage::StoredMacroOfList(int controlId, std::u16string& name) const {
  const auto found = std::find(kFunctionListIds.begin(), kFunctionListIds.end(), controlId);
  if (found == kFunctionListIds.end()) return -1;
  const int entry = assignment.PlayedEntry(static_cast<int>(found - kFunctionListIds.begin()));
  if (entry >= 0) name = assignment.Directory().slots[static_cast<std::size_t>(entry)].name;
  return entry;
}

void ButtonPage::FillLists(const UiText& texts, WindowActions& out) {
  assignment.TakeMouseMacros(macros);
  const auto lists = assignment.Lists(texts.functionNames, attached);
  for (std::size_t b = 0; b < lists.size(); ++b) {
    WindowAction fill{ActionKind::kFillList};
    fill.id = kFunctionListIds[b];
    for (const ButtonChoice& item : lists[b].items) fill.entries.push_back({item.name, item.start});
    fill.selected = lists[b].selected;
    fill.on = lists[b].enabled;
    out.Push(std::move(fill));
  }
  out.Add(ActionKind::kRepaintWindow);
  diag::Writef("button lists filled: %d entries each, %s", static_cast<int>(lists[0].items.size()),
               attached ? "enabled" : "disabled");
}

void ButtonPage::OnListsOff(WindowActions& out) const {
  for (int id : kFunctionListIds) out.AddWithId(ActionKind::kDisableControl, id);
  diag::Write("device controls disabled");
}

void ButtonPage::OnSettingsRefreshed(int profileCount, WindowActions& out) const {
  if (attached && profileCount >= 1) {
    for (int id : kFunctionListIds) out.AddWithId(ActionKind::kEnableControl, id);
    diag::Write("device controls enabled");
  }
  out.Add(ActionKind::kRepaintWindow);
}

bool ButtonPage::OnListChosen(int controlId, std::uint32_t value, WindowActions& out) {
  const auto found = std::find(kFunctionListIds.begin(), kFunctionListIds.end(), controlId);
  if (found == kFunctionListIds.end()) return false;
  const int button = static_cast<int>(found - kFunctionListIds.begin());
  const ButtonFunctionChoice choice = assignment.Choose(button, value);
  MouseRequest request;
  request.kind = MouseRequest::Kind::kSetButtonFunction;
  request.profile = choice.profile;
  request.button = button;
  request.functionKind = choice.kind;
  request.code = choice.code;
  out.Request(request);
  diag::Writef("button %d assigned %u", button, static_cast<unsigned>(value));
  return true;
}

bool ButtonPage::OnClick(int x, int y, int paletteAlpha, SoftwareProfiles& profiles, WindowActions& out,
                         int& holdPanel) {
  if (profiles.ProfileCount() < 1) return false;
  if (paletteAlpha > 0 && kPalettePanel.Contains(x, y)) {
    holdPanel = kPaletteSeconds;
    const int swatch = SwatchAt(x, y);
    if (swatch < 0) return true;
    const ProfileColour colour = SwatchColour(swatch);
    if (profiles.SetCurrentValues(colour) != 1) diag::Write("profile colour not saved");
    MouseRequest request;
    request.kind = MouseRequest::Kind::kSendProfileValues;
    const ProfileValues values = profiles.Values(profiles.CurrentSoftwareProfile());
    for (std::size_t k = 0; k < request.values.size() && k < values.size(); ++k) request.values[k] = values[k];
    out.Request(request);
    out.Add(ActionKind::kRepaintWindow);
    diag::Writef("profile colour %d %d %d", colour[0], colour[1], colour[2]);
    return true;
  }
  if (kProfileColourSwatch.Contains(x, y)) {
    holdPanel = kPaletteSeconds;
    return true;
  }
  // A profile's name selects it, as the profile button would.
  const int row = SoftwareProfileRowAt(x, y);
  if (row < 0 || row >= profiles.ProfileCount()) return false;
  MouseRequest select;
  select.kind = MouseRequest::Kind::kSelectProfile;
  select.profile = row;
  out.Request(select);
  diag::Writef("software profile %d picked", row);
  return true;
}

void ButtonPage::Fill(PaintSnapshot& snapshot, const SoftwareProfiles& profiles, int paletteAlpha) const {
  snapshot.macroAreaBytes = kMacroAreaSize;
  snapshot.freeBytes = assignment.Directory().freeBytes;
  ButtonPageView& view = snapshot.buttonPage;
  view.profileCount = profiles.ProfileCount();
  view.currentProfile = view.profileCount > 0 ? profiles.CurrentSoftwareProfile() : -1;
  view.mouseProfileNames = mouseNames;
  for (int row = 0; row < std::min(view.profileCount, kProfileRows); ++row) {
    const auto at = static_cast<std::size_t>(row);
    view.profileNames[at] = profiles.Name(row);
    view.profileColours[at] = profiles.Values(row);
  }
  view.paletteAlpha = static_cast<std::uint8_t>(view.currentProfile >= 0 ? paletteAlpha : 0);
}
