#include "base/win/PrivateProfileIni.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::u16string PrivateProfileIni::ReadString(const std::u16string& section, const std::u16string& key,
                                             const std::u16string& fallback) const {
  std::vector<wchar_t> buffer(kIniBufferChars, L'\0');
  const DWORD length = GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(fallback).c_str(),
                                                buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
  const size_t kept = length < buffer.size() ? length : buffer.size() - 1;
  return std::u16string(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(kept));
}

int PrivateProfileIni::ReadInt(const std::u16string& section, const std::u16string& key, int fallback) const {
  return static_cast<int>(GetPrivateProfileIntW(Wide(section).c_str(), Wide(key).c_str(), fallback, path.c_str()));
}
