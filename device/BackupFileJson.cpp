#include "device/BackupFileJson.h"

#include <cstdio>
#include <set>

#include "base/Utf16.h"

namespace device {
namespace {

constexpr int kImageLineBytes = 32;

void AppendName(std::string& out, const std::u16string& name) {
  out += '"';
  for (char16_t unit : name) {
    if (unit == u'"' || unit == u'\\') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x7F) {
      out += static_cast<char>(unit);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
      out += escape;
    }
  }
  out += '"';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A cursor over the text for the few JSON forms a backup uses; the first
// problem sticks, with its offset.
class JsonCursor {
 public:
  explicit JsonCursor(const std::string& text) : text_(text) {}

  bool Failed() const { return failed_; }
  BackupProblem Problem() const { return problem_; }
  std::size_t Offset() const { return pos_; }

  bool Fail(std::size_t offset, const std::string& what) {
    if (!failed_) {
      failed_ = true;
      problem_.offset = offset;
      problem_.what = what;
    }
    return false;
  }

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r')) {
      ++pos_;
    }
  }

  bool AtEnd() {
    SkipSpace();
    return pos_ == text_.size();
  }

  // Takes `c` when it comes next.
  bool Take(char c) {
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  bool Expect(char c) {
    if (Take(c)) return true;
    return Fail(pos_, std::string("expected '") + c + "'");
  }

  bool String(std::u16string& value) {
    if (!Expect('"')) return false;
    value.clear();
    std::string raw;  // UTF-8 between escapes
    auto flush = [&] {
      value += text::FromUtf8(raw);
      raw.clear();
    };
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '"') {
        ++pos_;
        flush();
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) return Fail(pos_, "control character in a string");
      if (c != '\\') {
        raw += c;
        ++pos_;
        continue;
      }
      flush();
      if (pos_ + 1 >= text_.size()) break;
      const char kind = text_[pos_ + 1];
      const std::string simple = "\"\\/bfnrt";
      const std::u16string meaning = u"\"\\/\b\f\n\r\t";
      const std::size_t which = simple.find(kind);
      if (which != std::string::npos) {
        value += meaning[which];
        pos_ += 2;
      } else if (kind == 'u') {
        if (pos_ + 6 > text_.size()) break;
        unsigned unit = 0;
        for (std::size_t i = pos_ + 2; i < pos_ + 6; ++i) {
          const int digit = HexDigit(text_[i]);
          if (digit < 0) return Fail(i, "bad \\u escape");
          unit = unit * 16 + static_cast<unsigned>(digit);
        }
        value += static_cast<char16_t>(unit);
        pos_ += 6;
      } else {
        return Fail(pos_, "unknown escape in a string");
      }
    }
    return Fail(text_.size(), "text ends inside a string");
  }

  // A whole number in 0 .. 0xFFFFFFFF.
  bool Number(std::uint32_t& value) {
    SkipSpace();
    const std::size_t start = pos_;
    std::uint64_t number = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
      number = number * 10 + static_cast<std::uint64_t>(text_[pos_] - '0');
      if (number > 0xFFFFFFFFu) return Fail(start, "number too large");
      ++pos_;
    }
    if (pos_ == start) return Fail(start, "expected a whole number");
    value = static_cast<std::uint32_t>(number);
    return true;
  }

 private:
  const std::string& text_;
  std::size_t pos_ = 0;
  bool failed_ = false;
  BackupProblem problem_;
};

bool ParseLevels(JsonCursor& cursor, std::array<LevelSteps, kBackupLevels>& levels) {
  if (!cursor.Expect('[')) return false;
  for (int level = 0; level < kBackupLevels; ++level) {
    if (level > 0 && !cursor.Expect(',')) return false;
    if (!cursor.Expect('[')) return false;
    std::array<std::uint8_t, 2> steps{};
    for (int axis = 0; axis < 2; ++axis) {
      if (axis > 0 && !cursor.Expect(',')) return false;
      cursor.SkipSpace();
      const std::size_t at = cursor.Offset();
      std::uint32_t step = 0;
      if (!cursor.Number(step)) return false;
      if (step == 0 || step > 255) {
        return cursor.Fail(at, "DPI level " + std::to_string(level) + ": a step must be 1 to 255");
      }
      steps[static_cast<std::size_t>(axis)] = static_cast<std::uint8_t>(step);
    }
    if (!cursor.Expect(']')) return false;
    levels[static_cast<std::size_t>(level)] = LevelSteps{steps[0], steps[1]};
  }
  if (cursor.Take(']')) return true;
  return cursor.Fail(cursor.Offset(), "expected ']' after 4 DPI levels");
}

bool ParseNames(JsonCursor& cursor, std::array<std::u16string, kBackupProfiles>& names) {
  if (!cursor.Expect('[')) return false;
  for (int profile = 0; profile < kBackupProfiles; ++profile) {
    if (profile > 0 && !cursor.Expect(',')) return false;
    if (!cursor.String(names[static_cast<std::size_t>(profile)])) return false;
  }
  if (cursor.Take(']')) return true;
  return cursor.Fail(cursor.Offset(), "expected ']' after 7 profile names");
}

bool ParseImage(JsonCursor& cursor, MemoryImage& image) {
  if (!cursor.Expect('[')) return false;
  std::size_t filled = 0;
  bool first = true;
  while (!cursor.Take(']')) {
    if (!first && !cursor.Expect(',')) return false;
    first = false;
    cursor.SkipSpace();
    const std::size_t at = cursor.Offset() + 1;
    std::u16string line;
    if (!cursor.String(line)) return false;
    if (line.size() % 2 != 0) return cursor.Fail(at, "an odd number of hex digits");
    for (std::size_t i = 0; i < line.size(); i += 2) {
      const int high = line[i] < 0x80 ? HexDigit(static_cast<char>(line[i])) : -1;
      const int low = line[i + 1] < 0x80 ? HexDigit(static_cast<char>(line[i + 1])) : -1;
      if (high < 0 || low < 0) return cursor.Fail(at + i, "not a hex digit");
      if (filled == image.size())
        return cursor.Fail(at + i, "the image holds more than 8192 bytes");
      image[filled++] = static_cast<std::uint8_t>(high * 16 + low);
    }
  }
  if (filled != image.size()) {
    return cursor.Fail(cursor.Offset() - 1,
                       "the image holds " + std::to_string(filled) + " bytes, not 8192");
  }
  return true;
}

}  // namespace

std::string BackupFileToJson(const BackupFile& backup) {
  std::string out = "{\n  \"magic\": \"_@_MBF1_\",\n  \"imageSize\": 8192,\n  \"levels\": [";
  for (std::size_t level = 0; level < backup.levels.size(); ++level) {
    if (level > 0) out += ", ";
    out += "[" + std::to_string(backup.levels[level].x) + ", " +
           std::to_string(backup.levels[level].y) + "]";
  }
  out += "],\n  \"names\": [";
  for (std::size_t profile = 0; profile < backup.names.size(); ++profile) {
    if (profile > 0) out += ", ";
    AppendName(out, backup.names[profile]);
  }
  out += "],\n  \"image\": [\n";
  static const char kHex[] = "0123456789ABCDEF";
  for (std::size_t line = 0; line < backup.image.size() / kImageLineBytes; ++line) {
    out += "    \"";
    for (std::size_t i = 0; i < kImageLineBytes; ++i) {
      const std::uint8_t byte = backup.image[line * kImageLineBytes + i];
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
    out += line + 1 < backup.image.size() / kImageLineBytes ? "\",\n" : "\"\n";
  }
  out += "  ]\n}\n";
  return out;
}

int BackupFileFromJson(const std::string& json, BackupFile& backup, BackupProblem* problem) {
  JsonCursor cursor(json);
  BackupFile parsed;
  std::set<std::string> seen;
  const auto refuse = [&] {
    if (problem != nullptr) *problem = cursor.Problem();
    return 0;
  };
  if (!cursor.Expect('{')) return refuse();
  bool first = true;
  while (!cursor.Take('}')) {
    if (!first && !cursor.Expect(',')) return refuse();
    first = false;
    cursor.SkipSpace();
    const std::size_t at = cursor.Offset();
    std::u16string key16;
    if (!cursor.String(key16) || !cursor.Expect(':')) return refuse();
    const std::string key = text::ToUtf8(key16);
    if (!seen.insert(key).second) {
      cursor.Fail(at, "\"" + key + "\" given twice");
      return refuse();
    }
    cursor.SkipSpace();
    const std::size_t valueAt = cursor.Offset();
    if (key == "magic") {
      std::u16string magic;
      if (!cursor.String(magic)) return refuse();
      if (magic != kBackupMagic) cursor.Fail(valueAt, "the magic must be \"_@_MBF1_\"");
    } else if (key == "imageSize") {
      std::uint32_t size = 0;
      if (!cursor.Number(size)) return refuse();
      if (size != kMemorySize) cursor.Fail(valueAt, "the image size must be 8192");
    } else if (key == "levels") {
      ParseLevels(cursor, parsed.levels);
    } else if (key == "names") {
      ParseNames(cursor, parsed.names);
    } else if (key == "image") {
      ParseImage(cursor, parsed.image);
    } else {
      cursor.Fail(at, "unknown member \"" + key + "\"");
    }
    if (cursor.Failed()) return refuse();
  }
  for (const char* required : {"magic", "imageSize", "levels", "names", "image"}) {
    if (seen.count(required) == 0) {
      cursor.Fail(cursor.Offset() - 1, std::string("\"") + required + "\" is missing");
      return refuse();
    }
  }
  if (!cursor.AtEnd()) {
    cursor.Fail(cursor.Offset(), "text after the closing '}'");
    return refuse();
  }
  backup = parsed;
  return 1;
}

std::string BackupProblemLine(const BackupProblem& problem) {
  return "byte " + std::to_string(problem.offset) + ": " + problem.what;
}

}  // namespace device
