#include "app/win/LanguageSetting.h"

#include <windows.h>

#include "base/DiagLog.h"
#include "base/Utf16.h"

std::u16string ReadLanguageSetting() {
  // Read access only: asking for full access fails for every user without
  // administrator rights, and the language would be lost without a word.
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wendral Mouse", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    diag::Write("language: no registry key");
    return {};
  }
  wchar_t value[200] = {};  // 400 bytes
  DWORD type = 0;
  DWORD size = sizeof value - sizeof(wchar_t);  // room for the terminator the registry may omit
  const LONG result = RegQueryValueExW(key, L"Language", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
    diag::Write("language: no value");
    return {};
  }
  const std::u16string language(value, value + wcsnlen(value, size / sizeof(wchar_t)));
  diag::Write("language: " + text::ToUtf8(language));
  return language;
}
