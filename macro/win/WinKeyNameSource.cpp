#include "macro/win/WinKeyNameSource.h"

#include <windows.h>

#include <vector>

std::u16string WinKeyNameSource::NameForRequest(std::uint32_t request) {
  wchar_t name[51] = {};
  const int length = GetKeyNameTextW(static_cast<LONG>(request), name, 50);
  if (length <= 0) return std::u16string();
  return std::u16string(reinterpret_cast<const char16_t*>(name), static_cast<std::size_t>(length));
}

std::u16string LoadScanCodeTableResource() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(217), L"TXT");
  if (!resource) return std::u16string();
  HGLOBAL loaded = LoadResource(module, resource);
  const DWORD size = SizeofResource(module, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data || size == 0) return std::u16string();
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return ScanCodeTextFromBytes(std::vector<std::uint8_t>(bytes, bytes + size));
}
