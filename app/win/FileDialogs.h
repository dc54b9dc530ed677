#pragma once
// The common file dialogs of a backup (save) and a restore (open): one
// filter for backup files, today's default name and the default extension.
#include <windows.h>

#include <string>

#include "app/WindowAction.h"

// "backup_" and today's date as yyyy-MM-dd, in the system's default locale.
std::u16string TodaysBackupName();

// Shows the dialog of `kind` over `owner`. The chosen path; empty when the
// user cancelled or the dialog could not be shown.
std::u16string ChooseBackupFile(HWND owner, FileDialogKind kind);
