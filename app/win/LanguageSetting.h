#pragma once
#include <string>

// The INI file's name from the registry value "Language" under
// HKEY_LOCAL_MACHINE\SOFTWARE\Wendral Mouse; empty when it is not there.
std::u16string ReadLanguageSetting();
