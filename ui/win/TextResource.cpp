#include "ui/win/TextResource.h"

#include <cstring>

std::optional<std::u16string> LoadTextResource(int id, const wchar_t* type, HMODULE module) {
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return std::nullopt;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return std::nullopt;

  // An odd last byte is not a character.
  std::u16string text(size / 2, u'\0');
  std::memcpy(text.data(), bytes, text.size() * 2);
  if (!text.empty() && text[0] == u'\xFEFF') text.erase(0, 1);
  const std::size_t end = text.find(u'\0');
  if (end != std::u16string::npos) text.resize(end);
  return text;
}
