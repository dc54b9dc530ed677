#include "app/win/FileDialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "app/win/WinText.h"
#include "base/DiagLog.h"
#include "device/BackupFile.h"

namespace {

constexpr int kDateChars = 49;
constexpr int kFileNameChars = 2046;
// Description and pattern, each ending in a zero, and one more zero after the pair.
constexpr wchar_t kBackupFilter[] = L"Mouse Backup File (*.mbf)\0*.mbf\0";
constexpr wchar_t kMacroFilter[] = L"Macro File (*.mf)\0*.mf\0";
// The dialogs leave the working folder alone: nothing else expects it to move.
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                             OFN_NOCHANGEDIR;
constexpr DWORD kOpenFlags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_NOCHANGEDIR;

}  // namespace

std::u16string TodaysBackupName() {
  wchar_t date[kDateChars] = L"";
  if (GetDateFormatW(LOCALE_SYSTEM_DEFAULT, 0, nullptr, L"yyyy-MM-dd", date, kDateChars) == 0) {
    diag::Writef("backup: no date for the default name (%lu)", GetLastError());
  }
  return device::DefaultBackupName(FromWide(date));
}

namespace {

std::u16string ChooseFile(HWND owner, FileDialogKind kind, const wchar_t* filter, const wchar_t* extension,
                          const std::u16string& proposed) {
  std::vector<wchar_t> file(kFileNameChars, L'\0');
  const std::wstring name = ToWide(proposed);
  name.copy(file.data(), std::min<size_t>(name.size(), file.size() - 1));

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kFileNameChars;
  dialog.lpstrDefExt = extension;
  const bool save = kind == FileDialogKind::kSave;
  dialog.Flags = save ? kSaveFlags : kOpenFlags;
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) {
    // Zero: the user cancelled; anything else kept the dialog from working.
    if (const DWORD error = CommDlgExtendedError()) diag::Writef("file dialog failed (0x%lX)", error);
    return {};
  }
  return FromWide(file.data());
}

}  // namespace

std::u16string ChooseBackupFile(HWND owner, FileDialogKind kind) {
  return ChooseFile(owner, kind, kBackupFilter, L"mbf", TodaysBackupName());
}

std::u16string ChooseMacroFile(HWND owner, FileDialogKind kind) {
  return ChooseFile(owner, kind, kMacroFilter, L"mf", kind == FileDialogKind::kSave ? u"unnamed" : u"");
}
