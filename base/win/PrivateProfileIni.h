#pragma once
// The Windows IniSource: the private-profile functions on one INI file.
#include <string>

#include "base/IniSource.h"

class PrivateProfileIni : public IniSource {
 public:
  explicit PrivateProfileIni(std::wstring iniPath) : path(std::move(iniPath)) {}

  std::u16string ReadString(const std::u16string& section, const std::u16string& key,
                            const std::u16string& fallback) const override;
  int ReadInt(const std::u16string& section, const std::u16string& key, int fallback) const override;

 private:
  std::wstring path;
};
