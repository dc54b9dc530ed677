#pragma once
// wchar_t is 16-bit on Windows, so the core's UTF-16 texts convert by copy.
#include <string>

inline std::wstring ToWide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}

inline std::u16string FromWide(const wchar_t* text) {
  return text ? FromWide(std::wstring(text)) : std::u16string();
}
