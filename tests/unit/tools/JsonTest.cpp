#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

#include "tools/Json.h"

namespace {

JsonError ErrorOf(const std::string& text) {
  Json value;
  JsonError error;
  EXPECT_FALSE(ParseJson(text, value, error)) << text;
  return error;
}

}  // namespace

TEST(JsonReader, SaysWhereTheTextGoesWrongAndRefusesWhatTheLibraryWouldLetPass) {
  EXPECT_EQ(ErrorOf("{\n  \"a\": 1,\n  \"b\" 2\n}").where, "line 3, column 7");
  EXPECT_EQ(ErrorOf("[1, 2,\n 3").where.rfind("line 2, column ", 0), 0u);
  // A member given twice would silently lose one value.
  EXPECT_EQ(ErrorOf("{\"a\": {\"b\": 1, \"b\": 2}}").Text(), "/a: member \"b\" appears twice");
  Json value;
  JsonError error;
  EXPECT_TRUE(ParseJson("\xEF\xBB\xBF" + std::string(64, '[') + std::string(64, ']'), value, error)) << error.Text();
  EXPECT_EQ(ErrorOf(std::string(65, '[') + std::string(65, ']')).what, "nesting is deeper than 64 levels");
  EXPECT_EQ(ErrorOf(std::string(100000, '[')).what, "nesting is deeper than 64 levels")
      << "deep input ends at the limit, not in a stack overflow";
  EXPECT_FALSE(ErrorOf("\"\xED\xA0\x80\"").what.empty()) << "an encoded surrogate is not UTF-8";
}

TEST(JsonReader, NamesAValueOfTheDocumentByItsPointer) {
  Json value;
  JsonError error;
  ASSERT_TRUE(ParseJson(R"({"entries": [{"name": "a"}, {"a/b~": [true]}]})", value, error));
  error.value = &value["entries"][1]["a/b~"][0];
  error.what = "wrong";
  LocateJsonError(value, error);
  EXPECT_EQ(error.Text(), "/entries/1/a~1b~0/0: wrong");
}

TEST(JsonWriter, PutsScalarOnlyContainersOnOneLineAndStreamsTheSameText) {
  Json item = {{"n", -5}, {"s", "q\"\\\t\x01\u00e9"}};
  Json root = {{"list", Json::array({item})}, {"empty", Json::array()}, {"row", {1, 2}}};
  const std::string text = WriteJson(root);
  EXPECT_EQ(text,
            "{\n  \"list\": [\n    {\"n\": -5, \"s\": \"q\\\"\\\\\\t\\u0001\u00e9\"}\n  ],\n  \"empty\": [],\n"
            "  \"row\": [1, 2]\n}\n");
  std::ostringstream streamed;
  JsonStream stream(streamed);
  stream.BeginObject();
  stream.BeginArray("list");
  stream.Item(item);
  stream.EndArray();
  stream.BeginArray("empty");
  stream.EndArray();
  stream.Member("row", {1, 2});
  stream.EndObject();
  EXPECT_EQ(streamed.str(), text);
  // Names and texts that need escaping, bytes that are not UTF-8 and the ends of both number ranges.
  const Json edges = {{"k\"", std::numeric_limits<std::uint64_t>::max()},
                      {"bad", "a\xFF"},
                      {"min", std::numeric_limits<std::int64_t>::min()}};
  EXPECT_EQ(WriteJson(edges), "{\"k\\\"\": 18446744073709551615, \"bad\": \"a\xEF\xBF\xBD\", \"min\": -9223372036854775808}\n");
}
