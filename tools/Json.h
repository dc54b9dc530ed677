#pragma once
// A small JSON reader and writer for the tool's file descriptions. The reader
// checks every byte it looks at, limits nesting and input size, and says where
// the text went wrong by line and column. Strings are kept as UTF-16 code
// units, so a text from a file (lone surrogates included) survives the trip
// through \u escapes unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

constexpr std::size_t kJsonMaxDepth = 64;
constexpr std::size_t kJsonMaxBytes = 256u * 1024u * 1024u;

struct JsonLimits {
  std::size_t maxDepth = kJsonMaxDepth;  // arrays and objects inside each other
  std::size_t maxBytes = kJsonMaxBytes;  // the whole text
};

// Where a value starts in the text, counted from 1.
struct JsonPosition {
  std::size_t line = 1;
  std::size_t column = 1;
};

struct JsonError {
  JsonPosition at;
  std::string what;
  // "line 3, column 7: what"
  std::string Text() const;
};

class JsonValue {
 public:
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };
  using Member = std::pair<std::string, JsonValue>;

  JsonValue() = default;
  static JsonValue Bool(bool value);
  // Only whole numbers are produced; the reader also takes fractions and
  // exponents but marks them as not whole.
  static JsonValue Number(std::int64_t value);
  static JsonValue String(std::u16string value);
  static JsonValue Array();
  static JsonValue Object();

  Type type = Type::kNull;
  JsonPosition at;
  bool boolean = false;
  std::int64_t number = 0;
  bool whole = true;  // false for a number with a fraction, an exponent or out of range
  std::u16string text;
  std::vector<JsonValue> items;  // array items
  std::vector<Member> members;   // object members in text order, names unique

  bool Is(Type wanted) const { return type == wanted; }
  // The member called `name`, or null.
  const JsonValue* Find(const std::string& name) const;
  // Appends to an object or an array; returns the new value.
  JsonValue& Add(const std::string& name, JsonValue value);
  JsonValue& Push(JsonValue value);
};

// Parses one JSON text (RFC 8259, UTF-8, an optional byte-order mark).
bool ParseJson(const std::string& text, JsonValue& value, JsonError& error, const JsonLimits& limits = {});

// Writes `value` with two-space indentation. Objects of scalars and arrays of
// numbers stay on one line, so a command or a row reads as one line. Text is
// written as UTF-8; control characters and lone surrogates as \u escapes.
std::string WriteJson(const JsonValue& value);

// A JSON string literal for `text`, quotes included.
std::string JsonQuote(const std::u16string& text);
