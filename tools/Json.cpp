#include "tools/Json.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <sstream>

namespace {

// Builds the document from the parser's events, refusing a member given twice
// and nesting past the limit, which the library itself accepts.
class DocumentBuilder final : public nlohmann::json_sax<Json> {
 public:
  DocumentBuilder(const std::string& text, Json& root, JsonError& error) : text_(text), root_(root), error_(error) {}

  bool null() override { return Put(nullptr); }
  bool boolean(bool value) override { return Put(value); }
  bool number_integer(number_integer_t value) override { return Put(value); }
  bool number_unsigned(number_unsigned_t value) override { return Put(value); }
  bool number_float(number_float_t value, const string_t&) override { return Put(value); }
  bool string(string_t& value) override { return Put(std::move(value)); }
  bool binary(binary_t&) override { return Fail("binary values are not JSON"); }

  bool start_object(std::size_t) override { return Open(Json::object()); }
  bool start_array(std::size_t) override { return Open(Json::array()); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }

  bool key(string_t& name) override {
    if (FindMember(*open_.back(), name.c_str())) {
      error_.value = open_.back();
      return Fail("member \"" + name + "\" appears twice");
    }
    key_ = std::move(name);
    return true;
  }

  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& problem) override {
    // "[json.exception.parse_error.101] parse error at line 4, column 1: syntax error ..."
    const std::string text = problem.what();
    const std::size_t colon = text.find(": ");
    error_.what = colon == std::string::npos ? text : text.substr(colon + 2);
    // The library counts the characters read, a look-ahead blank included;
    // the user wants the character it stumbled on.
    std::size_t start = std::min(position, text_.size());
    if (start > 0) --start;
    while (start > 0 && (text_[start] == ' ' || text_[start] == '\n' || text_[start] == '\r' || text_[start] == '\t')) {
      --start;
    }
    std::size_t line = 1, lineStart = 0;
    for (std::size_t i = 0; i < start; ++i) {
      if (text_[i] == '\n') {
        ++line;
        lineStart = i + 1;
      }
    }
    error_.where = "line " + std::to_string(line) + ", column " + std::to_string(start - lineStart + 1);
    return false;
  }

 private:
  // Where the next value goes: the root, the open array's end or the open
  // object's member named by the last key. Open values never move while a
  // value inside them is being built, so the pointers stay good.
  template <typename Value>
  Json* Place(Value&& value) {
    if (open_.empty()) {
      root_ = Json(std::forward<Value>(value));
      return &root_;
    }
    Json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(Json(std::forward<Value>(value)));
      return &parent.back();
    }
    Json& member = parent[key_];
    member = Json(std::forward<Value>(value));
    return &member;
  }

  template <typename Value>
  bool Put(Value&& value) {
    Place(std::forward<Value>(value));
    return true;
  }

  bool Open(Json value) {
    if (open_.size() >= kJsonMaxDepth) return Fail("nesting is deeper than " + std::to_string(kJsonMaxDepth) + " levels");
    open_.push_back(Place(std::move(value)));
    return true;
  }

  bool Close() {
    open_.pop_back();
    return true;
  }

  bool Fail(const std::string& what) {
    error_.what = what;
    return false;
  }

  const std::string& text_;
  Json& root_;
  JsonError& error_;
  std::vector<Json*> open_;
  std::string key_;
};

// "/entries/0/name" for `target` inside `node`, whose own pointer is `path`.
bool PointerTo(const Json& node, const Json* target, const std::string& path, std::string& found) {
  if (&node == target) {
    found = path.empty() ? "/" : path;
    return true;
  }
  if (node.is_array()) {
    for (std::size_t i = 0; i < node.size(); ++i) {
      if (PointerTo(node[i], target, path + "/" + std::to_string(i), found)) return true;
    }
  } else if (node.is_object()) {
    for (const auto& member : node.items()) {
      std::string token;
      for (char c : member.key()) token += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
      if (PointerTo(member.value(), target, path + "/" + token, found)) return true;
    }
  }
  return false;
}

void Indent(std::ostream& out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out << ' ';
}

// A text of printable ASCII without quote or backslash is its own JSON: the
// names and step texts a description writes by the thousand are such, so
// they skip the library's escaping and the strings it makes.
bool IsPlainText(const std::string& text) {
  for (char c : text) {
    if (c < 0x20 || c > 0x7E || c == '"' || c == '\\') return false;
  }
  return true;
}

template <typename Number>
void WriteNumber(std::ostream& out, Number number) {
  char digits[24];
  const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, number);
  out.write(digits, written.ptr - digits);
}

void WriteText(std::ostream& out, const std::string& text) {
  if (IsPlainText(text)) {
    out << '"' << text << '"';
  } else {
    out << Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
  }
}

void WriteScalar(std::ostream& out, const Json& value) {
  if (value.is_string()) {
    WriteText(out, value.get_ref<const std::string&>());
  } else if (value.is_number_unsigned()) {
    WriteNumber(out, value.get<std::uint64_t>());
  } else if (value.is_number_integer()) {
    WriteNumber(out, value.get<std::int64_t>());
  } else {
    out << value.dump(-1, ' ', false, Json::error_handler_t::replace);
  }
}

// Objects of scalars (a command, a profile) and arrays of numbers or flags (a
// row, a level) read best on one line; arrays of texts (image lines, names)
// get a line per item.
bool FitsOneLine(const Json& value) {
  if (value.is_array()) {
    for (const Json& item : value) {
      if (item.is_structured() || item.is_string()) return false;
    }
    return true;
  }
  for (const auto& member : value.items()) {
    if (member.value().is_structured()) return false;
  }
  return true;
}

}  // namespace

std::string JsonError::Text() const { return where.empty() ? what : where + ": " + what; }

bool ParseJson(const std::string& text, Json& value, JsonError& error) {
  error = JsonError{};
  if (text.size() > kJsonMaxBytes) {
    error.what = "the text is larger than " + std::to_string(kJsonMaxBytes) + " bytes";
    return false;
  }
  Json parsed;
  DocumentBuilder builder(text, parsed, error);
  if (!Json::sax_parse(text, &builder)) {
    if (error.value) LocateJsonError(parsed, error);
    return false;
  }
  value = std::move(parsed);
  return true;
}

void LocateJsonError(const Json& root, JsonError& error) {
  if (error.value && error.where.empty()) PointerTo(root, error.value, "", error.where);
  error.value = nullptr;
}

const Json* FindMember(const Json& object, const char* name) {
  if (!object.is_object()) return nullptr;
  const auto found = object.find(name);
  return found == object.end() ? nullptr : &*found;
}

void WriteJson(std::ostream& out, const Json& value, std::size_t indent) {
  if (!value.is_structured()) {
    WriteScalar(out, value);
    return;
  }
  const bool isArray = value.is_array();
  out << (isArray ? '[' : '{');
  if (value.empty()) {
    out << (isArray ? ']' : '}');
    return;
  }
  const bool oneLine = FitsOneLine(value);
  bool first = true;
  const auto next = [&] {
    if (oneLine) {
      if (!first) out << ", ";
    } else {
      out << (first ? "\n" : ",\n");
      Indent(out, indent + 2);
    }
    first = false;
  };
  if (isArray) {
    for (const Json& item : value) {
      next();
      WriteJson(out, item, indent + 2);
    }
  } else {
    for (const auto& member : value.items()) {
      next();
      WriteText(out, member.key());
      out << ": ";
      WriteJson(out, member.value(), indent + 2);
    }
  }
  if (!oneLine) {
    out << '\n';
    Indent(out, indent);
  }
  out << (isArray ? ']' : '}');
}

std::string WriteJson(const Json& value) {
  std::ostringstream out;
  WriteJson(out, value);
  out << '\n';
  return out.str();
}

void JsonStream::Next() {
  std::size_t& count = counts_.back();
  out_ << (count++ == 0 ? "\n" : ",\n");
  Indent(out_, 2 * counts_.size());
}

void JsonStream::BeginObject() {
  out_ << '{';
  counts_.push_back(0);
}

void JsonStream::Member(const std::string& name, const Json& value) {
  Next();
  WriteText(out_, name);
  out_ << ": ";
  WriteJson(out_, value, 2 * counts_.size());
}

void JsonStream::BeginArray(const std::string& name) {
  Next();
  WriteText(out_, name);
  out_ << ": [";
  counts_.push_back(0);
}

void JsonStream::Item(const Json& value) {
  Next();
  WriteJson(out_, value, 2 * counts_.size());
}

void JsonStream::EndArray() {
  const std::size_t count = counts_.back();
  counts_.pop_back();
  if (count != 0) {
    out_ << '\n';
    Indent(out_, 2 * counts_.size());
  }
  out_ << ']';
}

void JsonStream::EndObject() {
  const std::size_t count = counts_.back();
  counts_.pop_back();
  if (count != 0) {
    out_ << '\n';
    Indent(out_, 2 * counts_.size());
  }
  out_ << '}';
  if (counts_.empty()) out_ << '\n';
}
