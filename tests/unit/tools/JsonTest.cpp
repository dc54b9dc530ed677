#include <gtest/gtest.h>

#include <string>

#include "tools/Json.h"

namespace {

JsonError ErrorOf(const std::string& text, const JsonLimits& limits = {}) {
  JsonValue value;
  JsonError error;
  EXPECT_FALSE(ParseJson(text, value, error, limits)) << text;
  return error;
}

}  // namespace

TEST(JsonReader, ReadsEveryKindOfValueWithItsPosition) {
  JsonValue value;
  JsonError error;
  ASSERT_TRUE(
      ParseJson("\xEF\xBB\xBF{\"a\": [1, -2, true, false, null],\n \"b\": \"x\\u00e9\\n\", \"c\": 2.5}", value, error))
      << error.Text();
  const JsonValue* a = value.Find("a");
  ASSERT_TRUE(a && a->items.size() == 5);
  EXPECT_EQ(a->items[1].number, -2);
  EXPECT_TRUE(a->items[2].boolean);
  EXPECT_TRUE(a->items[4].Is(JsonValue::Type::kNull));
  EXPECT_EQ(value.Find("b")->text, u"x\u00e9\n");
  EXPECT_EQ(value.Find("b")->at.line, 2u);
  EXPECT_EQ(value.Find("b")->at.column, 7u);
  EXPECT_FALSE(value.Find("c")->whole) << "fractions are read but are not whole numbers";
}

TEST(JsonReader, KeepsLoneSurrogatesAndPairsThroughEscapesAndUtf8) {
  const std::u16string text = {u'a', 0xD800, u'b', 0xD83D, 0xDE00, 0xDFFF};
  const std::string quoted = JsonQuote(text);
  EXPECT_NE(quoted.find("\\uD800"), std::string::npos);
  EXPECT_NE(quoted.find("\xF0\x9F\x98\x80"), std::string::npos) << "a valid pair is written as UTF-8";
  JsonValue value;
  JsonError error;
  ASSERT_TRUE(ParseJson(quoted, value, error)) << error.Text();
  EXPECT_EQ(value.text, text);
}

TEST(JsonReader, ReportsWhereTheTextGoesWrong) {
  JsonError error = ErrorOf("{\n  \"a\": 1,\n  \"b\" 2\n}");
  EXPECT_EQ(error.Text(), "line 3, column 7: expected ':' after the member name");
  error = ErrorOf("[1, 2,\n 3");
  EXPECT_EQ(error.at.line, 2u);
  EXPECT_EQ(error.what, "the text ends inside an array");
  error = ErrorOf("{\"a\": 1, \"a\": 2}");
  EXPECT_EQ(error.at.column, 10u);
  EXPECT_EQ(error.what, "member \"a\" appears twice");
  EXPECT_EQ(ErrorOf("[01]").what, "a number may not start with 0");
  EXPECT_EQ(ErrorOf("\"tab\there\"").what, "a control character must be escaped inside a string");
  EXPECT_EQ(ErrorOf("\"\\x\"").what, "unknown escape in a string");
  EXPECT_EQ(ErrorOf("\"\\u12G4\"").what, "a \\u escape needs four hex digits");
  EXPECT_EQ(ErrorOf("\"\xC0\x80\"").what, "invalid UTF-8") << "overlong";
  EXPECT_EQ(ErrorOf("\"\xED\xA0\x80\"").what, "invalid UTF-8") << "an encoded surrogate";
  EXPECT_EQ(ErrorOf("\"\xE2\x82").what, "invalid UTF-8") << "cut short";
  EXPECT_EQ(ErrorOf("[1] x").what, "unexpected text after the end of the document");
  EXPECT_EQ(ErrorOf("").what, "the text ends where a value should be");
  EXPECT_EQ(ErrorOf("tru").what, "unexpected character 't'");
}

TEST(JsonReader, RefusesNestingAndTextBeyondItsLimits) {
  JsonValue value;
  JsonError error;
  EXPECT_TRUE(ParseJson(std::string(64, '[') + std::string(64, ']'), value, error));
  error = ErrorOf(std::string(65, '[') + std::string(65, ']'));
  EXPECT_EQ(error.Text(), "line 1, column 65: nesting is deeper than 64 levels");
  EXPECT_EQ(ErrorOf(std::string(100000, '['), {}).what, "nesting is deeper than 64 levels")
      << "deep input ends at the limit, not in a stack overflow";
  JsonLimits small;
  small.maxBytes = 8;
  EXPECT_EQ(ErrorOf("\"123456789\"", small).what, "the text is larger than 8 bytes");
}

TEST(JsonWriter, PutsScalarOnlyContainersOnOneLineAndReadsBackTheSame) {
  JsonValue root = JsonValue::Object();
  JsonValue& list = root.Add("list", JsonValue::Array());
  JsonValue& item = list.Push(JsonValue::Object());
  item.Add("n", JsonValue::Number(-5));
  item.Add("s", JsonValue::String(u"q\"\\\t\x01"));
  root.Add("empty", JsonValue::Array());
  const std::string text = WriteJson(root);
  EXPECT_EQ(text, "{\n  \"list\": [\n    {\"n\": -5, \"s\": \"q\\\"\\\\\\t\\u0001\"}\n  ],\n  \"empty\": []\n}\n");
  JsonValue back;
  JsonError error;
  ASSERT_TRUE(ParseJson(text, back, error)) << error.Text();
  EXPECT_EQ(WriteJson(back), text);
}
