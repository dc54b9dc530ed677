#pragma once
#include <windows.h>

#include <optional>
#include <string>

// The text of a UTF-16LE resource (such as the key-to-scan-code table, "TXT"
// 217) from `module`, the program itself when null. A leading byte-order mark
// is dropped and the text ends at the first zero character. Nothing when the
// resource is missing or empty.
std::optional<std::u16string> LoadTextResource(int id, const wchar_t* type, HMODULE module = nullptr);
