#include "app/win/DpiPageControls.h"

#include <commctrl.h>

#include <algorithm>

#include "app/win/WindowConnectionView.h"
#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "device/DeviceCommands.h"
#include "device/DpiLevels.h"
#include "ui/SkinLayout.h"

namespace {

constexpr int kRegisterSettleMs = 10;

DpiLevelTable TableOf(const device::LevelTable& levels) {
  DpiLevelTable table{};
  for (size_t k = 0; k < table.size(); ++k) table[k] = {levels[k].x, levels[k].y};
  return table;
}

}  // namespace

void DpiPageControls::OnConnectionAction(WPARAM action, LPARAM value) {
  if (action == WindowConnectionView::kSteps) {
    const bool tied = IsDlgButtonChecked(window, kControlTieBox) == BST_CHECKED;
    Apply(page.OnMouseReady(connection.CurrentDpiUnit.load(), connection.TopDpiStep.load(),
                            TableOf(connection.LevelSteps.Get()), connection.CurrentLevelIndex.load(), tied));
    diag::Writef("level steps shown: %d, %d", LOWORD(value), HIWORD(value));
  } else if (action == WindowConnectionView::kEnableDpi && value == 0) {
    Apply(page.OnMouseGone());
  }
}

void DpiPageControls::OnSliderMoved(HWND slider) {
  const int x = SliderPosition(kControlSliderX);
  const int y = SliderPosition(kControlSliderY);
  diag::Writef("slider moved: %d, %d at %lld us", x, y, static_cast<long long>(connection.Link().Clock().NowMicroseconds()));
  Apply(page.OnSliderMoved(slider == GetDlgItem(window, kControlSliderX), x, y));
}

void DpiPageControls::OnTieClicked(bool checked) { Apply(page.OnTieToggled(checked)); }

void DpiPageControls::OnClick(int x, int y) { Apply(page.OnClick(x, y, Busy())); }

bool DpiPageControls::OnTimer(UINT_PTR id, bool pageShowing) {
  if (id == static_cast<UINT_PTR>(DpiPage::kResyncTimer)) {
    Apply(page.Resynchronise(TableOf(connection.LevelSteps.Get()), connection.CurrentLevelIndex.load(), Busy(),
                             pageShowing));
    return true;
  }
  if (id == static_cast<UINT_PTR>(DpiPage::kSendTimer) || id == static_cast<UINT_PTR>(DpiPage::kCommitTimer)) {
    Apply(page.OnTimer(static_cast<int>(id)));
    return true;
  }
  return false;
}

void DpiPageControls::ShowRegisters() {
  const device::DevicePath path = connection.CurrentPath.Get();
  std::uint8_t values[3] = {};
  const std::uint8_t registers[3] = {0x00, 0x01, 0x20};
  for (int i = 0; i < 3; ++i) {
    if (!device::ReadRegister(connection.Link(), path, registers[i], kRegisterSettleMs, values[i])) {
      diag::Writef("register %02X not read", registers[i]);
    }
  }
  wchar_t text[64];
  swprintf(text, 64, L"%X, %X, %X", values[0], values[1], values[2]);
  diag::Writef("registers shown: %X, %X, %X", values[0], values[1], values[2]);
  wchar_t title[64] = L"";
  GetWindowTextW(window, title, 64);
  MessageBoxW(window, text, title, MB_OK);
}

void DpiPageControls::FillSnapshot(PaintSnapshot& snapshot) const {
  ResolutionLevels& shown = snapshot.resolution;
  for (size_t k = 0; k < shown.dpi.size(); ++k) {
    shown.dpi[k] = {page.Levels()[k].x * page.DpiUnit(), page.Levels()[k].y * page.DpiUnit()};
  }
  shown.current = page.CurrentLevel();
  shown.mouseConnected = page.MouseReady();
}

void DpiPageControls::Apply(const DpiEffects& effects) {
  const device::DevicePath path = connection.CurrentPath.Get();
  device::HidLink& link = connection.Link();
  for (const DpiEffect& effect : effects) {
    switch (effect.kind) {
      case DpiEffectKind::kSetSlidersQuietly:
        if (SkinSlider* x = skin.Slider(kControlSliderX)) x->SetPosQuiet(effect.x);
        if (SkinSlider* y = skin.Slider(kControlSliderY)) y->SetPosQuiet(effect.y);
        break;
      case DpiEffectKind::kSetSliderRange:
        for (int id : {kControlSliderX, kControlSliderY}) {
          SendDlgItemMessageW(window, id, TBM_SETRANGE, TRUE, MAKELPARAM(1, effect.top));
        }
        break;
      case DpiEffectKind::kEnableControls:
        for (int id : {kControlSliderX, kControlSliderY, kControlTieBox}) EnableWindow(GetDlgItem(window, id), effect.on);
        diag::Write(effect.on ? "DPI controls enabled" : "DPI controls disabled");
        break;
      case DpiEffectKind::kEnableYSlider:
        EnableWindow(GetDlgItem(window, kControlSliderY), effect.on && page.MouseReady());
        break;
      case DpiEffectKind::kStartTimer:
        SetTimer(window, static_cast<UINT_PTR>(effect.id), static_cast<UINT>(effect.periodMs), nullptr);
        break;
      case DpiEffectKind::kStopTimer:
        KillTimer(window, static_cast<UINT_PTR>(effect.id));
        break;
      case DpiEffectKind::kRepaint:
        InvalidateRect(window, nullptr, FALSE);
        break;
      case DpiEffectKind::kStoreLevels: {
        device::LevelTable levels{};
        std::array<std::array<std::uint8_t, 2>, 4> steps{};
        for (size_t k = 0; k < levels.size(); ++k) {
          levels[k] = {static_cast<std::uint8_t>(page.Levels()[k].x), static_cast<std::uint8_t>(page.Levels()[k].y)};
          steps[k] = {levels[k].x, levels[k].y};
        }
        connection.LevelSteps.Set(levels);
        connection.CurrentLevelIndex.store(page.CurrentLevel());
        connection.Profiles().StoreLevelChoices(page.CurrentLevel(), steps);
        break;
      }
      case DpiEffectKind::kWriteLevel:
        diag::Writef("level %d written: %d, %d (%d)", effect.level, effect.x, effect.y,
                     device::WriteLevel(link, path, effect.level, effect.x, effect.y));
        break;
      case DpiEffectKind::kSelectLevel:
        diag::Writef("level %d selected (%d)", effect.level, device::SelectLevel(link, path, effect.level));
        break;
      case DpiEffectKind::kCommit:
        diag::Writef("level settings committed (%d)", device::CommitSettings(link, path));
        break;
    }
  }
  page.FormatLabels(texts);
}

int DpiPageControls::SliderPosition(int id) const {
  return static_cast<int>(SendDlgItemMessageW(window, id, TBM_GETPOS, 0, 0));
}
