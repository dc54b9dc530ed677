#pragma once
// The portable INI reader: the same answers as the Windows private-profile
// functions give for the same file, so the core and its tests can read a
// language file without Windows.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/IniSource.h"

class IniFile : public IniSource {
 public:
  // An empty file: every read returns its fallback.
  IniFile() = default;

  // Parses the bytes of a file: UTF-16LE or UTF-16BE after a byte-order
  // mark, UTF-8 after its mark, otherwise 8-bit Windows-1252 text.
  static IniFile FromBytes(const std::string& bytes);

  // Reads the file; one that is missing, a folder or unreadable gives an
  // empty IniFile, as the Windows functions then return every fallback.
  static IniFile Load(const std::filesystem::path& path);

  std::u16string ReadString(const std::u16string& section, const std::u16string& key,
                            const std::u16string& fallback) const override;
  int ReadInt(const std::u16string& section, const std::u16string& key, int fallback) const override;
  bool MayHaveSection(const std::u16string& section) const override;

  // Parses the way GetPrivateProfileIntW parses a value it has read: blanks,
  // a sign, "0x"/"0o"/"0b" prefixes, digits up to the first other character,
  // 32-bit wrap-around.
  static int ParseProfileInt(const std::u16string& value);

 private:
  struct Key {
    std::u16string name;
    std::optional<std::u16string> value;  // nothing for a line without '='
  };
  struct Section {
    std::u16string name;
    std::vector<Key> keys;
    // The first key of each case-folded name: a language file is read by
    // hundreds of lookups, which must not each walk the whole file.
    std::unordered_map<std::u16string, std::size_t> firstKey;
  };

  const Key* Find(const std::u16string& section, const std::u16string& key) const;
  std::u16string Read(const std::u16string& section, const std::u16string& key, const std::u16string& fallback,
                      size_t bufferChars) const;

  bool opened = false;
  std::vector<Section> sections;
  // Only the first section of a name is searched, as on Windows.
  std::unordered_map<std::u16string, std::size_t> firstSection;
};
