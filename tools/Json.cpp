#include "tools/Json.h"

#include <cstdio>

#include "base/Utf16.h"

std::string JsonError::Text() const {
  return "line " + std::to_string(at.line) + ", column " + std::to_string(at.column) + ": " + what;
}

JsonValue JsonValue::Bool(bool value) {
  JsonValue result;
  result.type = Type::kBool;
  result.boolean = value;
  return result;
}

JsonValue JsonValue::Number(std::int64_t value) {
  JsonValue result;
  result.type = Type::kNumber;
  result.number = value;
  return result;
}

JsonValue JsonValue::String(std::u16string value) {
  JsonValue result;
  result.type = Type::kString;
  result.text = std::move(value);
  return result;
}

JsonValue JsonValue::Array() {
  JsonValue result;
  result.type = Type::kArray;
  return result;
}

JsonValue JsonValue::Object() {
  JsonValue result;
  result.type = Type::kObject;
  return result;
}

const JsonValue* JsonValue::Find(const std::string& name) const {
  for (const auto& member : members) {
    if (member.first == name) return &member.second;
  }
  return nullptr;
}

JsonValue& JsonValue::Add(const std::string& name, JsonValue value) {
  members.emplace_back(name, std::move(value));
  return members.back().second;
}

JsonValue& JsonValue::Push(JsonValue value) {
  items.push_back(std::move(value));
  return items.back();
}

namespace {

class Parser {
 public:
  Parser(const std::string& text, JsonError& error, const JsonLimits& limits)
      : text_(text), error_(error), limits_(limits) {}

  bool ParseDocument(JsonValue& value) {
    if (text_.size() > limits_.maxBytes) {
      return Fail("the text is larger than " + std::to_string(limits_.maxBytes) + " bytes");
    }
    if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) offset_ = lineStart_ = 3;
    SkipBlanks();
    if (!ParseValue(value, 0)) return false;
    SkipBlanks();
    if (offset_ != text_.size()) return Fail("unexpected text after the end of the document");
    return true;
  }

 private:
  JsonPosition Here() const { return {line_, offset_ - lineStart_ + 1}; }

  bool Fail(const std::string& what) {
    error_.at = Here();
    error_.what = what;
    return false;
  }

  bool AtEnd() const { return offset_ >= text_.size(); }
  unsigned char Peek() const { return static_cast<unsigned char>(text_[offset_]); }

  void SkipBlanks() {
    while (!AtEnd()) {
      const unsigned char c = Peek();
      if (c == '\n') {
        ++line_;
        lineStart_ = ++offset_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++offset_;
      } else {
        break;
      }
    }
  }

  bool ParseValue(JsonValue& value, std::size_t depth) {
    if (AtEnd()) return Fail("the text ends where a value should be");
    const JsonPosition start = Here();
    value.at = start;
    const unsigned char c = Peek();
    if (c == '{' || c == '[') {
      if (depth >= limits_.maxDepth) {
        return Fail("nesting is deeper than " + std::to_string(limits_.maxDepth) + " levels");
      }
      return c == '{' ? ParseObject(value, depth + 1) : ParseArray(value, depth + 1);
    }
    if (c == '"') {
      value.type = JsonValue::Type::kString;
      return ParseString(value.text);
    }
    if (c == '-' || (c >= '0' && c <= '9')) return ParseNumber(value);
    if (Word("true")) {
      value = JsonValue::Bool(true);
    } else if (Word("false")) {
      value = JsonValue::Bool(false);
    } else if (Word("null")) {
      value = JsonValue();
    } else {
      return Fail(c < 0x20 || c >= 0x7F ? "unexpected character"
                                        : std::string("unexpected character '") + static_cast<char>(c) + "'");
    }
    value.at = start;
    return true;
  }

  bool Word(const char* word) {
    const std::string expected(word);
    if (text_.compare(offset_, expected.size(), expected) != 0) return false;
    offset_ += expected.size();
    return true;
  }

  bool ParseObject(JsonValue& value, std::size_t depth) {
    const JsonPosition at = Here();
    value = JsonValue::Object();
    value.at = at;
    ++offset_;
    SkipBlanks();
    if (!AtEnd() && Peek() == '}') {
      ++offset_;
      return true;
    }
    for (;;) {
      if (AtEnd() || Peek() != '"') return Fail("expected a member name in double quotes");
      const JsonPosition nameAt = Here();
      std::u16string name;
      if (!ParseString(name)) return false;
      const std::string key = text::ToUtf8(name);
      if (value.Find(key)) {
        error_.at = nameAt;
        error_.what = "member \"" + key + "\" appears twice";
        return false;
      }
      SkipBlanks();
      if (AtEnd() || Peek() != ':') return Fail("expected ':' after the member name");
      ++offset_;
      SkipBlanks();
      JsonValue member;
      if (!ParseValue(member, depth)) return false;
      value.members.emplace_back(key, std::move(member));
      SkipBlanks();
      if (AtEnd()) return Fail("the text ends inside an object");
      if (Peek() == ',') {
        ++offset_;
        SkipBlanks();
        continue;
      }
      if (Peek() == '}') {
        ++offset_;
        return true;
      }
      return Fail("expected ',' or '}' in an object");
    }
  }

  bool ParseArray(JsonValue& value, std::size_t depth) {
    const JsonPosition at = Here();
    value = JsonValue::Array();
    value.at = at;
    ++offset_;
    SkipBlanks();
    if (!AtEnd() && Peek() == ']') {
      ++offset_;
      return true;
    }
    for (;;) {
      JsonValue item;
      if (!ParseValue(item, depth)) return false;
      value.items.push_back(std::move(item));
      SkipBlanks();
      if (AtEnd()) return Fail("the text ends inside an array");
      if (Peek() == ',') {
        ++offset_;
        SkipBlanks();
        continue;
      }
      if (Peek() == ']') {
        ++offset_;
        return true;
      }
      return Fail("expected ',' or ']' in an array");
    }
  }

  bool ParseNumber(JsonValue& value) {
    value.type = JsonValue::Type::kNumber;
    value.whole = true;
    const bool negative = Peek() == '-';
    if (negative) ++offset_;
    if (AtEnd() || Peek() < '0' || Peek() > '9') return Fail("a number needs a digit");
    std::uint64_t magnitude = 0;
    if (Peek() == '0') {
      ++offset_;
      if (!AtEnd() && Peek() >= '0' && Peek() <= '9') return Fail("a number may not start with 0");
    } else {
      while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
        const unsigned digit = Peek() - '0';
        if (magnitude > (static_cast<std::uint64_t>(INT64_MAX) - digit) / 10) {
          value.whole = false;
        } else {
          magnitude = magnitude * 10 + digit;
        }
        ++offset_;
      }
    }
    if (!AtEnd() && Peek() == '.') {
      ++offset_;
      if (AtEnd() || Peek() < '0' || Peek() > '9') return Fail("a fraction needs a digit");
      while (!AtEnd() && Peek() >= '0' && Peek() <= '9') ++offset_;
      value.whole = false;
    }
    if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
      ++offset_;
      if (!AtEnd() && (Peek() == '+' || Peek() == '-')) ++offset_;
      if (AtEnd() || Peek() < '0' || Peek() > '9') return Fail("an exponent needs a digit");
      while (!AtEnd() && Peek() >= '0' && Peek() <= '9') ++offset_;
      value.whole = false;
    }
    value.number = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
  }

  bool Hex4(std::uint32_t& unit) {
    unit = 0;
    for (int i = 0; i < 4; ++i) {
      if (AtEnd()) return Fail("the text ends inside a \\u escape");
      const unsigned char c = Peek();
      unsigned digit = 0;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
      } else if (c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
      } else {
        return Fail("a \\u escape needs four hex digits");
      }
      unit = unit * 16 + digit;
      ++offset_;
    }
    return true;
  }

  // One UTF-8 sequence, checked for overlong forms, surrogates and range.
  bool Utf8(std::u16string& out) {
    const unsigned char lead = Peek();
    std::size_t extra = 0;
    std::uint32_t code = 0;
    std::uint32_t least = 0;
    if (lead < 0x80) {
      out.push_back(lead);
      ++offset_;
      return true;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, code = lead & 0x07, least = 0x10000;
    } else {
      return Fail("invalid UTF-8");
    }
    if (text_.size() - offset_ <= extra) return Fail("invalid UTF-8");
    for (std::size_t i = 1; i <= extra; ++i) {
      const unsigned char next = static_cast<unsigned char>(text_[offset_ + i]);
      if ((next & 0xC0) != 0x80) return Fail("invalid UTF-8");
      code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return Fail("invalid UTF-8");
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    offset_ += extra + 1;
    return true;
  }

  bool ParseString(std::u16string& out) {
    ++offset_;
    out.clear();
    for (;;) {
      if (AtEnd()) return Fail("the text ends inside a string");
      const unsigned char c = Peek();
      if (c == '"') {
        ++offset_;
        return true;
      }
      if (c < 0x20) return Fail("a control character must be escaped inside a string");
      if (c != '\\') {
        if (!Utf8(out)) return false;
        continue;
      }
      ++offset_;
      if (AtEnd()) return Fail("the text ends inside an escape");
      const unsigned char e = Peek();
      ++offset_;
      switch (e) {
        case '"':
          out.push_back(u'"');
          break;
        case '\\':
          out.push_back(u'\\');
          break;
        case '/':
          out.push_back(u'/');
          break;
        case 'b':
          out.push_back(u'\b');
          break;
        case 'f':
          out.push_back(u'\f');
          break;
        case 'n':
          out.push_back(u'\n');
          break;
        case 'r':
          out.push_back(u'\r');
          break;
        case 't':
          out.push_back(u'\t');
          break;
        case 'u': {
          std::uint32_t unit = 0;
          if (!Hex4(unit)) return false;
          out.push_back(static_cast<char16_t>(unit));
          break;
        }
        default:
          --offset_;
          return Fail("unknown escape in a string");
      }
    }
  }

  const std::string& text_;
  JsonError& error_;
  const JsonLimits& limits_;
  std::size_t offset_ = 0;
  std::size_t line_ = 1;
  std::size_t lineStart_ = 0;
};

bool IsScalar(const JsonValue& value) {
  return !value.Is(JsonValue::Type::kArray) && !value.Is(JsonValue::Type::kObject);
}

// Objects of scalars (a command, a profile) and arrays of numbers or flags (a
// row, a level) read best on one line; arrays of texts (image lines, names)
// get a line per item.
bool FitsOneLine(const JsonValue& value) {
  for (const auto& item : value.items) {
    if (!IsScalar(item) || item.Is(JsonValue::Type::kString)) return false;
  }
  for (const auto& member : value.members) {
    if (!IsScalar(member.second)) return false;
  }
  return true;
}

void Write(const JsonValue& value, std::size_t indent, std::string& out) {
  switch (value.type) {
    case JsonValue::Type::kNull:
      out += "null";
      return;
    case JsonValue::Type::kBool:
      out += value.boolean ? "true" : "false";
      return;
    case JsonValue::Type::kNumber:
      out += std::to_string(value.number);
      return;
    case JsonValue::Type::kString:
      out += JsonQuote(value.text);
      return;
    case JsonValue::Type::kArray:
    case JsonValue::Type::kObject:
      break;
  }
  const bool isArray = value.Is(JsonValue::Type::kArray);
  const std::size_t count = isArray ? value.items.size() : value.members.size();
  out += isArray ? '[' : '{';
  if (count == 0) {
    out += isArray ? ']' : '}';
    return;
  }
  const bool oneLine = FitsOneLine(value);
  const std::string inner(oneLine ? 0 : indent + 2, ' ');
  for (std::size_t i = 0; i < count; ++i) {
    if (oneLine) {
      if (i != 0) out += ", ";
    } else {
      out += i != 0 ? ",\n" : "\n";
      out += inner;
    }
    if (isArray) {
      Write(value.items[i], indent + 2, out);
    } else {
      out += JsonQuote(text::FromUtf8(value.members[i].first));
      out += ": ";
      Write(value.members[i].second, indent + 2, out);
    }
  }
  if (!oneLine) {
    out += '\n';
    out.append(indent, ' ');
  }
  out += isArray ? ']' : '}';
}

void AppendUtf8(std::uint32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

bool ParseJson(const std::string& text, JsonValue& value, JsonError& error, const JsonLimits& limits) {
  JsonValue parsed;
  Parser parser(text, error, limits);
  if (!parser.ParseDocument(parsed)) return false;
  value = std::move(parsed);
  return true;
}

std::string WriteJson(const JsonValue& value) {
  std::string out;
  Write(value, 0, out);
  out += '\n';
  return out;
}

std::string JsonQuote(const std::u16string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    switch (unit) {
      case u'"':
        out += "\\\"";
        continue;
      case u'\\':
        out += "\\\\";
        continue;
      case u'\n':
        out += "\\n";
        continue;
      case u'\r':
        out += "\\r";
        continue;
      case u'\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8(0x10000 + ((static_cast<std::uint32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00), out);
      ++i;
    } else if (unit < 0x20 || high || low) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
      out += escape;
    } else {
      AppendUtf8(unit, out);
    }
  }
  out += '"';
  return out;
}
