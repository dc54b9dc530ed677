#pragma once
// The common file dialogs: a backup (save) and a restore (open) with the
// backup files' filter, today's default name and extension; a macro file's
// export (save, proposed "unnamed") and import (open).
#include <windows.h>

#include <string>

#include "app/WindowAction.h"

// "backup_" and today's date as yyyy-MM-dd, in the system's default locale.
std::u16string TodaysBackupName();

// Shows the dialog of `kind` over `owner`. The chosen path; empty when the
// user cancelled or the dialog could not be shown.
std::u16string ChooseBackupFile(HWND owner, FileDialogKind kind);

std::u16string ChooseMacroFile(HWND owner, FileDialogKind kind);
