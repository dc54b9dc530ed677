#pragma once
// The sources sit on the Linux side; Wine shows the root file system as Z:.
#include <string>

inline std::wstring WinePath(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}
