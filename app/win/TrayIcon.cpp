#include "app/win/TrayIcon.h"

#include "app/PrivateMessages.h"
#include "app/TrayClicks.h"
#include "app/UiText.h"
#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include "res/resource.h"

namespace {

constexpr wchar_t kTip[] = L"Wendral Mouse";
constexpr UINT kBalloonTimeoutMs = 30000;
constexpr int kIconSize = 16;

template <size_t N>
void CopyCut(wchar_t (&field)[N], const std::wstring& text) {
  lstrcpynW(field, text.c_str(), static_cast<int>(N));
}

}  // namespace

TrayIcon::~TrayIcon() {
  Remove();
  if (menu) DestroyMenu(menu);
}

void TrayIcon::HoldMenu(HINSTANCE instance) {
  menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_TRAYMENU));
  if (!menu) diag::Writef("tray menu not loaded (%lu)", GetLastError());
}

void TrayIcon::SetMenuTexts(const std::u16string& openText, const std::u16string& exitText) {
  if (!menu) return;
  ModifyMenuW(menu, kTrayOpenCommand, MF_BYCOMMAND | MF_STRING, kTrayOpenCommand, ToWide(openText).c_str());
  ModifyMenuW(menu, kTrayExitCommand, MF_BYCOMMAND | MF_STRING, kTrayExitCommand, ToWide(exitText).c_str());
  SetMenuDefaultItem(GetSubMenu(menu, 0), kTrayOpenCommand, FALSE);
}

bool TrayIcon::Add(HWND owner, HINSTANCE instance) {
  icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINICON), IMAGE_ICON, kIconSize, kIconSize, 0));
  // The record of the shell version that shows balloons.
  record.cbSize = NOTIFYICONDATAW_V2_SIZE;
  record.hWnd = owner;
  record.uID = kTrayIconId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kMsgTrayNotify;
  record.hIcon = icon;
  CopyCut(record.szTip, kTip);
  added = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
  diag::Write(added ? "tray icon added" : "tray icon refused");
  return added;
}

bool TrayIcon::AddAgain() {
  if (!record.hWnd) return false;
  // A balloon shown once is not shown again with the new icon.
  NOTIFYICONDATAW plain = record;
  plain.uFlags &= ~static_cast<UINT>(NIF_INFO);
  added = Shell_NotifyIconW(NIM_ADD, &plain) != FALSE;
  diag::Write(added ? "tray icon added again after a shell restart" : "tray icon refused after a shell restart");
  return added;
}

bool TrayIcon::ShowBalloon(const std::u16string& text) {
  if (!added) return false;
  record.uFlags |= NIF_INFO;
  CopyCut(record.szInfo, ToWide(text));
  CopyCut(record.szInfoTitle, kTip);
  record.uTimeout = kBalloonTimeoutMs;
  record.dwInfoFlags = NIIF_INFO;
  const bool shown = Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
  diag::Write(shown ? "tray balloon shown" : "tray balloon refused");
  return shown;
}

void TrayIcon::Remove() {
  if (added) {
    NOTIFYICONDATAW gone{};
    gone.cbSize = record.cbSize;
    gone.hWnd = record.hWnd;
    gone.uID = record.uID;
    const bool removed = Shell_NotifyIconW(NIM_DELETE, &gone) != FALSE;
    diag::Write(removed ? "tray icon removed" : "tray icon removal refused");
    added = false;
  }
  if (icon) DestroyIcon(icon);
  icon = nullptr;
}

void TrayIcon::SetTip(const std::u16string& text) {
  CopyCut(record.szTip, ToWide(text));
  if (!added) return;
  NOTIFYICONDATAW tip = record;
  tip.uFlags = NIF_TIP;
  if (Shell_NotifyIconW(NIM_MODIFY, &tip) == FALSE) diag::Write("tray tip refused");
}

void TrayIcon::ShowMenu(const std::vector<ListEntry>& profiles, int current) {
  if (!menu || !record.hWnd) return;
  // The profiles stand between the menu's own two items, set apart by
  // separators, for as long as it shows.
  const HMENU popup = GetSubMenu(menu, 0);
  UINT inserted = 0;
  const auto insert = [&](UINT flags, UINT_PTR id, const wchar_t* text) {
    if (InsertMenuW(popup, 1 + inserted, MF_BYPOSITION | flags, id, text)) ++inserted;
  };
  if (!profiles.empty()) insert(MF_SEPARATOR, 0, nullptr);
  for (std::size_t p = 0; p < profiles.size(); ++p) {
    insert(MF_STRING | (static_cast<int>(p) == current ? MF_CHECKED : MF_UNCHECKED), profiles[p].value,
           ToWide(profiles[p].text).c_str());
  }
  if (!profiles.empty()) insert(MF_SEPARATOR, 0, nullptr);
  POINT at{};
  GetCursorPos(&at);
  // In the foreground the menu closes when the user clicks elsewhere.
  SetForegroundWindow(record.hWnd);
  diag::Write("tray menu shown");
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, record.hWnd, nullptr);
  // Without a message after it the menu may not close the next time.
  PostMessageW(record.hWnd, WM_NULL, 0, 0);
  while (inserted-- > 0) DeleteMenu(popup, 1, MF_BYPOSITION);
}
