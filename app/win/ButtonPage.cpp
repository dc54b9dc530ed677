#include "app/win/ButtonPage.h"

#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include <algorithm>

#include "device/BackupFile.h"
#include "device/DeviceCommands.h"
#include "ui/ButtonPagePainter.h"
#include "ui/SkinLayout.h"

void ButtonPage::ReadMouse(const device::DevicePath& path) {
  std::vector<MouseMacro> macros;
  std::array<std::u16string, 5> names;
  bool attached = !path.empty();
  if (attached && !ReadMouseMacros(connection.Link(), path, macros)) {
    diag::Write("button page: the macro directory could not be read");
    macros.clear();
  }
  for (std::size_t profile = 0; attached && profile < names.size(); ++profile) {
    device::ProfileNameBytes bytes{};
    bool whole = true;
    for (int i = 0; i < static_cast<int>(bytes.size()) && whole; ++i) {
      whole = device::ReadNameByte(connection.Link(), path, static_cast<int>(profile), i,
                                   connection.ArrivalBusy.load(), bytes[static_cast<std::size_t>(i)]) == 1;
    }
    if (whole) names[profile] = device::ProfileNameFromBytes(bytes);
  }
  diag::Writef("button page: %d macros read", static_cast<int>(macros.size()));
  {
    std::lock_guard<std::mutex> hold(pendingLock);
    pendingAttached = attached;
    pendingMacros = std::move(macros);
    pendingNames = names;
  }
  PostMessageW(window, kMsgMouseRead, 0, 0);
}

void ButtonPage::OnMouseRead() {
  {
    std::lock_guard<std::mutex> hold(pendingLock);
    attached = pendingAttached;
    assignment.TakeMouseMacros(pendingMacros);
    mouseNames = pendingNames;
  }
  FillLists();
  InvalidateRect(window, nullptr, FALSE);
}

void ButtonPage::FillLists() {
  const auto lists = assignment.Lists(texts.functionNames, attached);
  for (std::size_t b = 0; b < lists.size(); ++b) {
    const HWND combo = GetDlgItem(window, kFunctionListIds[b]);
    if (!combo) continue;
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const ButtonChoice& item : lists[b].items) {
      const std::wstring name = ToWide(item.name);
      const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
      if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(item.start));
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(lists[b].selected), 0);
    EnableWindow(combo, lists[b].enabled);
  }
  diag::Writef("button lists filled: %d entries each, %s", static_cast<int>(lists[0].items.size()),
               attached ? "enabled" : "disabled");
}

bool ButtonPage::OnSelectionChange(int controlId) {
  for (std::size_t b = 0; b < kFunctionListIds.size(); ++b) {
    if (kFunctionListIds[b] != controlId) continue;
    const HWND combo = GetDlgItem(window, controlId);
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return true;
    const auto value = static_cast<std::uint32_t>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
    assignment.Choose(static_cast<int>(b), value, connection.Link(), connection.CurrentPath.Get());
    diag::Writef("button %d assigned %u", static_cast<int>(b), static_cast<unsigned>(value));
    return true;
  }
  return false;
}

bool ButtonPage::OnClick(int x, int y, int paletteAlpha, int& holdPanel) {
  SoftwareProfiles& profiles = connection.Profiles();
  if (profiles.ProfileCount() < 1) return false;
  if (paletteAlpha > 0 && kPalettePanel.Contains(x, y)) {
    holdPanel = kPaletteSeconds;
    const int swatch = SwatchAt(x, y);
    if (swatch < 0) return true;
    const ProfileColour colour = SwatchColour(swatch);
    if (profiles.SetCurrentValues(colour) != 1) diag::Write("profile colour not saved");
    connection.SendProfileValues();
    diag::Writef("profile colour %d %d %d", colour[0], colour[1], colour[2]);
    InvalidateRect(window, nullptr, FALSE);
    return true;
  }
  if (kProfileColourSwatch.Contains(x, y)) {
    holdPanel = kPaletteSeconds;
    return true;
  }
  return false;
}

void ButtonPage::Fill(PaintSnapshot& snapshot, MemoryFigures& memory, int paletteAlpha) const {
  memory.macroAreaBytes = kMacroAreaSize;
  memory.freeBytes = assignment.Directory().freeBytes;
  snapshot.macroAreaBytes = memory.macroAreaBytes;
  snapshot.freeBytes = memory.freeBytes;
  const SoftwareProfiles& profiles = connection.Profiles();
  ButtonPageView& view = snapshot.buttonPage;
  view.profileCount = profiles.ProfileCount();
  view.currentProfile = view.profileCount > 0 ? profiles.CurrentSoftwareProfile() : -1;
  for (int row = 0; row < std::min(view.profileCount, kProfileRows); ++row) {
    const auto at = static_cast<std::size_t>(row);
    // The mouse keeps names for its first five profiles; the library for all.
    view.profileNames[at] = at < mouseNames.size() && !mouseNames[at].empty() ? mouseNames[at] : profiles.Name(row);
    view.profileColours[at] = profiles.Values(row);
  }
  view.paletteAlpha = static_cast<std::uint8_t>(view.currentProfile >= 0 ? paletteAlpha : 0);
}
