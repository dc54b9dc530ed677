#pragma once
// Read access to the language INI file with the rules of the Windows private
// profile functions. The program only ever reads it.
#include <optional>
#include <string>

// Text keys are read into a buffer of this many characters, terminator
// included, so a value keeps at most kIniBufferChars - 1 characters.
inline constexpr size_t kIniBufferChars = 2000;
// The default that marks a text key as absent.
inline constexpr char16_t kIniAbsentText[] = u"@_NOSTR_";
// The default that marks a number key as absent.
inline constexpr int kIniAbsentNumber = -333;

class IniSource {
 public:
  virtual ~IniSource() = default;

  // As GetPrivateProfileStringW with a kIniBufferChars buffer: the value of
  // the first `key` in the first `section` (names compared without case,
  // surrounding blanks and one pair of matching quotes removed), else
  // `fallback`; either cut to the buffer.
  virtual std::u16string ReadString(const std::u16string& section, const std::u16string& key,
                                    const std::u16string& fallback) const = 0;

  // As GetPrivateProfileIntW: `fallback` when the key is absent or empty,
  // otherwise the number its text starts with (0 when there is none).
  virtual int ReadInt(const std::u16string& section, const std::u16string& key, int fallback) const = 0;

  // The value, or nothing when the key reads back as "@_NOSTR_".
  std::optional<std::u16string> ReadText(const std::u16string& section, const std::u16string& key) const {
    std::u16string value = ReadString(section, key, kIniAbsentText);
    if (value == kIniAbsentText) return std::nullopt;
    return value;
  }

  // The number, or nothing when the key reads back as -333.
  std::optional<int> ReadNumber(const std::u16string& section, const std::u16string& key) const {
    const int value = ReadInt(section, key, kIniAbsentNumber);
    if (value == kIniAbsentNumber) return std::nullopt;
    return value;
  }

  // False only when the source knows it has no section of that name, so a
  // loader may pass over all of that section's keys at once. A source that
  // cannot tell cheaply says true.
  virtual bool MayHaveSection(const std::u16string&) const { return true; }
};
