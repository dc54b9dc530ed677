#pragma once
// The tool's JSON, read and written with nlohmann's library. The reader adds
// what the file descriptions need on top of it: a limit on size and nesting,
// no member given twice, and errors that say where the text or the
// description went wrong. The writer keeps a command or a row on one line and
// can write a large description piece by piece, so a whole library never has
// to stand in memory as one tree.
#include <cstddef>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

// Members keep the order they were written in.
using Json = nlohmann::ordered_json;

constexpr std::size_t kJsonMaxDepth = 64;
constexpr std::size_t kJsonMaxBytes = 256u * 1024u * 1024u;

struct JsonError {
  // The value a description went wrong at, inside the parsed document; the
  // document's root turns it into `where` (LocateJsonError).
  const Json* value = nullptr;
  // "line 3, column 7" for a fault of the text, a JSON pointer such as
  // "/entries/0/name" for a fault of the description.
  std::string where;
  std::string what;
  // "where: what"
  std::string Text() const;
};

// Parses one JSON text (RFC 8259, UTF-8, an optional byte-order mark) of at
// most kJsonMaxBytes and kJsonMaxDepth levels, whose objects name each member
// once.
bool ParseJson(const std::string& text, Json& value, JsonError& error);

// Fills error.where with the JSON pointer of error.value inside `root`.
void LocateJsonError(const Json& root, JsonError& error);

// The member called `name` of an object, or null.
const Json* FindMember(const Json& object, const char* name);

// Writes `value` with two-space indentation, starting at `indent`. Objects
// of scalars and arrays of numbers stay on one line, so a command or a row
// reads as one line. Text is written as UTF-8.
void WriteJson(std::ostream& out, const Json& value, std::size_t indent = 0);
// The whole text of `value`, ending with a line end.
std::string WriteJson(const Json& value);

// A document written as it is described: the top-level object's members one
// by one, and the items of its arrays one by one.
class JsonStream {
 public:
  explicit JsonStream(std::ostream& out) : out_(out) {}
  void BeginObject();
  void Member(const std::string& name, const Json& value);
  void BeginArray(const std::string& name);
  void Item(const Json& value);
  void EndArray();
  // Ends the document with a line end.
  void EndObject();

 private:
  void Next();

  std::ostream& out_;
  // Items written so far at each open level.
  std::vector<std::size_t> counts_;
};
