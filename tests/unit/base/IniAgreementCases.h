#pragma once
// One table of what the profile reader must return for the fixture files in
// data/. The portable reader is checked against it natively and the Windows
// functions under Wine, so the suite fails wherever the two disagree.
#include <string>
#include <vector>

#include "base/IniSource.h"

struct IniAgreementCase {
  const char* file;
  std::u16string section;
  std::u16string key;
  bool number;
  std::u16string expectedText;
  int expectedNumber;
  std::u16string fallback;
};

inline IniAgreementCase TextCase(const char* file, std::u16string section, std::u16string key,
                                 std::u16string expected, std::u16string fallback = kIniAbsentText) {
  return {file, std::move(section), std::move(key), false, std::move(expected), 0, std::move(fallback)};
}

inline IniAgreementCase NumberCase(const char* file, std::u16string section, std::u16string key, int expected) {
  return {file, std::move(section), std::move(key), true, {}, expected, {}};
}

inline std::vector<IniAgreementCase> IniAgreementCases() {
  const char* rules = "rules-8bit.ini";
  const char* wide = "unicode-utf16le.ini";
  return {
      // Names: case, blanks around the request, duplicates, odd headers.
      NumberCase(rules, u"MISC", u"shift", 7),
      NumberCase(rules, u"misc", u"SHIFT", 7),
      NumberCase(rules, u"  MISC ", u" shift\t", 7),
      TextCase(rules, u"MISC", u"spaced key", u"padded value"),
      TextCase(rules, u"MISC", u"dup", u"first"),
      TextCase(rules, u"MISC", u"later", kIniAbsentText),
      TextCase(rules, u"Spaced Section", u"key", u"spaced"),
      TextCase(rules, u"Broken", u"after_broken", kIniAbsentText),
      TextCase(rules, u"Text", u"after_broken", u"yes"),
      TextCase(rules, u"a]b", u"key", u"last bracket"),
      TextCase(rules, u"", u"top", u"before any section"),
      // Values: blanks, quotes, empty values, missing '=', other characters kept.
      TextCase(rules, u"MISC", u"quoted", u"  inside quotes  "),
      TextCase(rules, u"MISC", u"single", u"single"),
      TextCase(rules, u"MISC", u"mismatch", u"\"open only"),
      TextCase(rules, u"MISC", u"lone", u"\""),
      TextCase(rules, u"MISC", u"empty", u""),
      TextCase(rules, u"MISC", u"emptyquotes", u""),
      TextCase(rules, u"MISC", u"noequals", kIniAbsentText),
      TextCase(rules, u"MISC", u"missing", kIniAbsentText),
      TextCase(rules, u"MISC", u"missing", u"Left", u"Left  "),
      TextCase(rules, u"NoSuchSection", u"str", u"Exit", u"Exit"),
      TextCase(rules, u"MISC", u"equals", u"a=b"),
      TextCase(rules, u"MISC", u"tabbed", u"value with\ttab"),
      TextCase(rules, u"MISC", u"ctrlz", u"kept"),
      TextCase(rules, u"MISC", u"comment", u"value ; not a comment"),
      TextCase(rules, u"Two  Spaces", u"inner", u"a\"b"),
      TextCase(rules, u"Two Spaces", u"inner", kIniAbsentText),
      TextCase(rules, u"Two  Spaces", u"mixed", u"'a\""),
      TextCase(rules, u"Text", u"latin", u"Gr\u00f6\u00dfe \u20ac \u2013 caf\u00e9"),
      // Values longer than the 2000-character buffer.
      TextCase(rules, u"MISC", u"long", std::u16string(kIniBufferChars - 1, u'L')),
      TextCase(rules, u"MISC", u"quoted_long", std::u16string(kIniBufferChars - 2, u'Q')),
      TextCase(rules, u"MISC", u"quoted_fit", std::u16string(kIniBufferChars - 3, u'F')),
      // Integers.
      NumberCase(rules, u"MISC", u"int_plain", 42),
      NumberCase(rules, u"MISC", u"int_blank_lead", 12),
      NumberCase(rules, u"MISC", u"int_neg", -5),
      NumberCase(rules, u"MISC", u"int_hex", 16),
      NumberCase(rules, u"MISC", u"int_hex_upper", 0),
      NumberCase(rules, u"MISC", u"int_plus", 3),
      NumberCase(rules, u"MISC", u"int_big", 1215752191),
      NumberCase(rules, u"MISC", u"int_word", 0),
      NumberCase(rules, u"MISC", u"int_octal", 15),
      NumberCase(rules, u"MISC", u"int_binary", 5),
      NumberCase(rules, u"MISC", u"int_minus_hex", -31),
      NumberCase(rules, u"MISC", u"int_long", 0),
      NumberCase(rules, u"MISC", u"int_sign_blank", 0),
      NumberCase(rules, u"MISC", u"int_double_sign", 0),
      NumberCase(rules, u"MISC", u"int_min", -2147483647 - 1),
      NumberCase(rules, u"MISC", u"int_wrap", -1),
      NumberCase(rules, u"MISC", u"int_fraction", 3),
      NumberCase(rules, u"MISC", u"int_color", 12345678),
      NumberCase(rules, u"MISC", u"int_quoted", -333),
      NumberCase(rules, u"MISC", u"empty", -333),
      NumberCase(rules, u"MISC", u"noequals", -333),
      NumberCase(rules, u"MISC", u"missing", -333),
      // A UTF-16LE file with a byte-order mark: only ASCII blanks are trimmed
      // and only ASCII letters compared without case.
      TextCase(wide, u"STRING 0", u"str", u"\u8a2d\u5b9a\u6a94"),
      NumberCase(wide, u"STRING 0", u"x", 0),
      TextCase(wide, u"Unicode", u"ideographic", u"\u3000\u524d\u5f8c\u3000"),
      TextCase(wide, u"Unicode", u"nbsp", u"\u00a0value\u00a0"),
      TextCase(wide, u"Unicode", u"\u00c4RGER", u"umlaut key"),
      TextCase(wide, u"Unicode", u"\u00e4rger", kIniAbsentText),
      TextCase(wide, u"Unicode", u"emoji", u"\U0001F5B1 mouse"),
      TextCase(wide, u"UNICODE", u"mixedcase", u"Found"),
      NumberCase(wide, u"Unicode", u"number", -12),
      TextCase(wide, u"Unicode", u"tail", u"no newline at end"),
      TextCase("unix-lines-utf16le.ini", u"A", u"k", u"v"),
      TextCase("unix-lines-utf16le.ini", u"b", u"K", u"w"),
      // Lines ended by CR alone, text after a section's bracket, a UTF-8 file
      // with its byte-order mark.
      TextCase("cr-lines-8bit.ini", u"A", u"k", u"v"),
      TextCase("cr-lines-8bit.ini", u"B", u"k", u"w"),
      TextCase("cr-lines-8bit.ini", u"C", u"k", kIniAbsentText),
      TextCase("utf8-bom.ini", u"UTF8", u"k", u"\u8a2d\u5b9a"),
      // A file that does not exist.
      NumberCase("no-such-file.ini", u"MISC", u"shift", -333),
      TextCase("no-such-file.ini", u"MISC", u"shift", kIniAbsentText),
  };
}
