#include "base/IniFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "base/Utf16.h"

namespace {

// GetPrivateProfileIntW reads the value into a buffer of this size first.
constexpr size_t kIntBufferChars = 30;

// The characters the Windows profile reader trims: ASCII blanks and Ctrl-Z,
// which old DOS files carry as an end mark. Ideographic and no-break spaces
// stay part of a value.
bool IsProfileSpace(char16_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

// Names are compared without regard to the case of ASCII letters only.
char16_t FoldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

std::u16string Folded(std::u16string text) {
  for (char16_t& c : text) c = FoldCase(c);
  return text;
}

std::u16string Trimmed(const std::u16string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsProfileSpace(text[first])) ++first;
  while (last > first && IsProfileSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The Windows reader keeps names and values as zero-terminated strings.
std::u16string UpToNul(std::u16string text) {
  const size_t nul = text.find(u'\0');
  if (nul != std::u16string::npos) text.resize(nul);
  return text;
}

// Windows-1252, the 8-bit code page of the Windows installations our
// language files are written on; bytes it leaves undefined map to the
// control character of the same value, as Windows maps them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::u16string Decode(const std::string& bytes) {
  std::u16string out;
  const auto byte = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
    return text::FromUtf8(bytes.substr(3));
  }
  if (bytes.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) {
    const bool bigEndian = byte(0) == 0xFE;
    out.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const unsigned first = byte(i);
      const unsigned second = byte(i + 1);
      out += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    return out;
  }
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = byte(i);
    out += c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : static_cast<char16_t>(c);
  }
  return out;
}

// What the Windows reader copies into a caller's buffer of `bufferChars`:
// one pair of matching quotes removed, the text cut to leave room for the
// terminator. When the cut leaves no closing quote to remove, Windows still
// drops the last character; we do the same so both readers agree.
std::u16string CopyEntry(const std::u16string& value, size_t bufferChars) {
  std::u16string body = value;
  bool quoted = false;
  if (value.size() > 1 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0]) {
    quoted = true;
    body = value.substr(1);
  }
  std::u16string out = body.substr(0, bufferChars - 1);
  if (quoted && bufferChars >= body.size() && !out.empty()) out.pop_back();
  return out;
}

}  // namespace

IniFile IniFile::FromBytes(const std::string& bytes) {
  IniFile file;
  file.opened = true;
  const std::u16string content = Decode(bytes);
  // Lines before the first section header belong to a section without a name.
  file.sections.push_back(Section{});
  file.firstSection.emplace(std::u16string(), 0);
  size_t next = 0;
  // The next line feed, searched again only once a line has passed it: lines
  // that end in a carriage return alone would otherwise each search the
  // whole rest of the file.
  size_t feed = content.find(u'\n');
  while (next < content.size()) {
    const size_t start = next;
    if (feed != std::u16string::npos && feed < start) feed = content.find(u'\n', start);
    size_t newline = feed;
    if (newline == std::u16string::npos) newline = content.find(u'\r', start);
    next = newline == std::u16string::npos ? content.size() : newline + 1;

    const std::u16string line = Trimmed(content.substr(start, next - start));
    if (line.empty()) continue;
    if (line[0] == u'[') {
      const size_t close = line.rfind(u']');
      if (close != std::u16string::npos) {
        file.sections.push_back(Section{UpToNul(Trimmed(line.substr(1, close - 1))), {}, {}});
        file.firstSection.emplace(Folded(file.sections.back().name), file.sections.size() - 1);
        continue;
      }
      // A header without its bracket is read as a key line, as Windows does.
    }
    Key key;
    const size_t equals = line.find(u'=');
    if (equals == std::u16string::npos) {
      key.name = UpToNul(line);
    } else {
      key.name = UpToNul(Trimmed(line.substr(0, equals)));
      key.value = UpToNul(Trimmed(line.substr(equals + 1)));
    }
    Section& section = file.sections.back();
    section.firstKey.emplace(Folded(key.name), section.keys.size());
    section.keys.push_back(std::move(key));
  }
  return file;
}

IniFile IniFile::Load(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return IniFile();
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return IniFile();
  const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (stream.bad()) return IniFile();
  return FromBytes(bytes);
}

bool IniFile::MayHaveSection(const std::u16string& section) const {
  return firstSection.find(Folded(Trimmed(section))) != firstSection.end();
}

const IniFile::Key* IniFile::Find(const std::u16string& section, const std::u16string& key) const {
  const auto found = firstSection.find(Folded(Trimmed(section)));
  if (found == firstSection.end()) return nullptr;
  const Section& candidate = sections[found->second];
  const auto entry = candidate.firstKey.find(Folded(Trimmed(key)));
  return entry == candidate.firstKey.end() ? nullptr : &candidate.keys[entry->second];
}

std::u16string IniFile::Read(const std::u16string& section, const std::u16string& key,
                             const std::u16string& fallback, size_t bufferChars) const {
  // Windows drops trailing blanks of the caller's default.
  std::u16string defaultText = fallback;
  while (defaultText.size() > 1 && defaultText.back() == u' ') defaultText.pop_back();
  if (!opened) return defaultText.substr(0, bufferChars - 1);
  const Key* entry = Find(section, key);
  return CopyEntry(entry != nullptr && entry->value ? *entry->value : defaultText, bufferChars);
}

std::u16string IniFile::ReadString(const std::u16string& section, const std::u16string& key,
                                   const std::u16string& fallback) const {
  return Read(section, key, fallback, kIniBufferChars);
}

int IniFile::ReadInt(const std::u16string& section, const std::u16string& key, int fallback) const {
  const std::u16string value = Read(section, key, u"", kIntBufferChars);
  if (value.empty()) return fallback;
  return ParseProfileInt(value);
}

int IniFile::ParseProfileInt(const std::u16string& value) {
  size_t i = 0;
  while (i < value.size() && value[i] <= u' ') ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == u'+' || value[i] == u'-')) {
    negative = value[i] == u'-';
    ++i;
  }
  uint32_t base = 10;
  if (value.size() - i >= 2 && value[i] == u'0') {
    const char16_t prefix = value[i + 1];
    if (prefix == u'b') base = 2;
    else if (prefix == u'o') base = 8;
    else if (prefix == u'x') base = 16;
    if (base != 10) i += 2;
  }
  uint32_t total = 0;
  for (; i < value.size(); ++i) {
    const char16_t c = value[i];
    uint32_t digit = 99;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (c >= u'A' && c <= u'Z') digit = c - u'A' + 10;
    else if (c >= u'a' && c <= u'z') digit = c - u'a' + 10;
    if (digit >= base) break;
    total = total * base + digit;
  }
  if (negative) total = 0u - total;
  // Two's complement, as the Windows function returns its unsigned result.
  return total <= 0x7FFFFFFFu ? static_cast<int>(total) : -static_cast<int>(~total) - 1;
}
