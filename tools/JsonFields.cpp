#include "tools/JsonFields.h"

#include <cstdio>

#include "base/ArchiveString.h"
#include "base/Utf16.h"
#include "macro/EnglishKeyNames.h"
#include "macro/KeyNames.h"
#include "macro/StepTexts.h"

bool FailAt(const Json& value, const std::string& what, JsonError& error) {
  error.value = &value;
  error.where.clear();
  error.what = what;
  return false;
}

bool ExpectObject(const Json& value, const char* what, std::initializer_list<const char*> known,
                  JsonError& error) {
  if (!value.is_object()) return FailAt(value, std::string(what) + " must be an object", error);
  for (const auto& member : value.items()) {
    bool found = false;
    for (const char* name : known) found = found || member.key() == name;
    if (!found) return FailAt(member.value(), "unknown member \"" + member.key() + "\" in " + what, error);
  }
  return true;
}

bool ExpectArray(const Json& value, const char* what, JsonError& error) {
  if (!value.is_array()) return FailAt(value, std::string(what) + " must be an array", error);
  return true;
}

bool ToU32(const Json& value, const char* what, std::uint32_t& out, JsonError& error) {
  if (!value.is_number_unsigned() && !(value.is_number_integer() && value.get<std::int64_t>() >= 0)) {
    return FailAt(value, std::string(what) + " must be a whole number from 0 to 4294967295", error);
  }
  const auto number = value.get<std::uint64_t>();
  if (number > 0xFFFFFFFFull) {
    return FailAt(value, std::string(what) + " must be a whole number from 0 to 4294967295", error);
  }
  out = static_cast<std::uint32_t>(number);
  return true;
}

std::u16string TextOf(const Json& value) { return text::FromUtf8(value.get_ref<const std::string&>()); }

bool GetU32(const Json& object, const char* name, std::uint32_t& out, bool required, JsonError& error) {
  const Json* value = FindMember(object, name);
  if (!value) return required ? FailAt(object, std::string("member \"") + name + "\" is missing", error) : true;
  return ToU32(*value, name, out, error);
}

std::string HexBytes(const std::uint8_t* data, std::size_t count) {
  std::string out;
  out.reserve(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(data[i]));
    if (i != 0) out += ' ';
    out += pair;
  }
  return out;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// False when a surrogate stands without its partner: UTF-8 has no form for it.
bool IsWellFormed(const std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

std::string Units(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text) {
    char hex[8];
    std::snprintf(hex, sizeof hex, out.empty() ? "%04X" : " %04X", static_cast<unsigned>(unit));
    out += hex;
  }
  return out;
}

bool UnitsFromJson(const Json& value, std::u16string& text, JsonError& error) {
  if (!value.is_string()) return FailAt(value, "\"units\" must be a string of 4-digit hex code units", error);
  const std::string& digits = value.get_ref<const std::string&>();
  text.clear();
  for (std::size_t i = 0; i < digits.size();) {
    if (digits[i] == ' ') {
      ++i;
      continue;
    }
    unsigned unit = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const int digit = i + k < digits.size() ? HexDigit(digits[i + k]) : -1;
      if (digit < 0) return FailAt(value, "\"units\" must be a string of 4-digit hex code units", error);
      unit = unit * 16 + static_cast<unsigned>(digit);
    }
    text.push_back(static_cast<char16_t>(unit));
    i += 4;
  }
  return true;
}

}  // namespace

bool ParseHexBytes(const Json& value, const char* what, std::vector<std::uint8_t>& out, JsonError& error) {
  if (!value.is_string()) return FailAt(value, std::string(what) + " must be a string of hex bytes", error);
  return ParseHexBytes(value, value.get_ref<const std::string&>(), what, out, error);
}

bool ParseHexBytes(const Json& value, const std::string& text, const char* what, std::vector<std::uint8_t>& out,
                   JsonError& error) {
  out.clear();
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == ' ' || text[i] == '\t' || text[i] == '\n') {
      ++i;
      continue;
    }
    const int high = HexDigit(text[i]);
    const int low = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
    if (high < 0 || low < 0) {
      return FailAt(value,
                    std::string(what) + ": character " + std::to_string(i + 1) + " does not start a two-digit hex byte",
                    error);
    }
    out.push_back(static_cast<std::uint8_t>(high * 16 + low));
    i += 2;
  }
  return true;
}

namespace {

int ShortestLengthBits(std::size_t length) {
  if (length < 0xFF) return 8;
  if (length < 0xFFFE) return 16;
  return 32;
}

}  // namespace

ArchiveText ArchiveText::Canonical(std::u16string text) {
  ArchiveText result;
  result.lengthBits = ShortestLengthBits(text.size());
  result.text = std::move(text);
  return result;
}

bool ArchiveText::IsCanonical() const { return !narrow && lengthBits == ShortestLengthBits(text.size()); }

bool ReadArchiveText(const std::uint8_t* data, ByteReader& reader, ArchiveText& text) {
  const std::size_t at = reader.Offset();
  if (!ReadArchiveString(reader, text.text)) return false;
  // The string was read whole, so the bytes of its header are there.
  std::size_t p = at;
  text.narrow = !(data[p] == 0xFF && data[p + 1] == 0xFE && data[p + 2] == 0xFF);
  if (!text.narrow) p += 3;
  if (data[p] < 0xFF) {
    text.lengthBits = 8;
  } else if ((data[p + 1] | (data[p + 2] << 8)) < 0xFFFE) {
    text.lengthBits = 16;
  } else {
    text.lengthBits = 32;
  }
  return true;
}

void WriteArchiveText(ByteWriter& writer, const ArchiveText& text) {
  if (text.IsCanonical()) {
    WriteArchiveString(writer, text.text);
    return;
  }
  if (!text.narrow) {
    writer.WriteU8(0xFF);
    writer.WriteU16(0xFFFE);
  }
  const auto length = static_cast<std::uint32_t>(text.text.size());
  if (text.lengthBits == 8) {
    writer.WriteU8(static_cast<std::uint8_t>(length));
  } else if (text.lengthBits == 16) {
    writer.WriteU8(0xFF);
    writer.WriteU16(static_cast<std::uint16_t>(length));
  } else {
    writer.WriteU8(0xFF);
    writer.WriteU16(0xFFFF);
    writer.WriteU32(length);
  }
  for (char16_t unit : text.text) {
    if (text.narrow) {
      writer.WriteU8(static_cast<std::uint8_t>(unit));
    } else {
      writer.WriteU16(static_cast<std::uint16_t>(unit));
    }
  }
}

Json ArchiveTextToJson(const ArchiveText& text) {
  const bool wellFormed = IsWellFormed(text.text);
  if (text.IsCanonical() && wellFormed) return text::ToUtf8(text.text);
  Json form = Json::object();
  if (wellFormed) {
    form["text"] = text::ToUtf8(text.text);
  } else {
    form["units"] = Units(text.text);
  }
  form["narrow"] = text.narrow;
  form["lengthBits"] = text.lengthBits;
  return form;
}

bool ArchiveTextFromJson(const Json& value, const char* what, ArchiveText& text, JsonError& error) {
  if (value.is_string()) {
    const std::u16string body = TextOf(value);
    if (body.size() >= 0xFFFFFFFFu) return FailAt(value, std::string(what) + " is too long", error);
    text = ArchiveText::Canonical(body);
    return true;
  }
  if (!ExpectObject(value, what, {"text", "units", "narrow", "lengthBits"}, error)) return false;
  const Json* body = FindMember(value, "text");
  const Json* units = FindMember(value, "units");
  std::u16string content;
  if (units && !body) {
    if (!UnitsFromJson(*units, content, error)) return false;
  } else if (body && !units && body->is_string()) {
    content = TextOf(*body);
  } else {
    return FailAt(body ? *body : value, std::string(what) + " needs a string \"text\" or \"units\", not both",
                  error);
  }
  ArchiveText result = ArchiveText::Canonical(content);
  if (const Json* narrow = FindMember(value, "narrow")) {
    if (!narrow->is_boolean()) return FailAt(*narrow, "\"narrow\" must be true or false", error);
    result.narrow = narrow->get<bool>();
  }
  if (const Json* bits = FindMember(value, "lengthBits")) {
    std::uint32_t number = 0;
    if (!ToU32(*bits, "lengthBits", number, error)) return false;
    if (number != 8 && number != 16 && number != 32) return FailAt(*bits, "\"lengthBits\" must be 8, 16 or 32", error);
    result.lengthBits = static_cast<int>(number);
  }
  const std::size_t length = result.text.size();
  const std::size_t limit = result.lengthBits == 8 ? 0xFF : result.lengthBits == 16 ? 0xFFFE : 0xFFFFFFFFu;
  if (length >= limit) {
    return FailAt(value,
                  std::string(what) + " has " + std::to_string(length) + " characters, too many for " +
                      std::to_string(result.lengthBits) + "-bit length",
                  error);
  }
  if (result.narrow) {
    for (char16_t unit : result.text) {
      if (unit > 0xFF) return FailAt(value, std::string(what) + " is narrow but holds a character above U+00FF", error);
    }
  }
  text = std::move(result);
  return true;
}

Json CommandToJson(const MacroCommand& command) {
  Json json = Json::object();
  const std::size_t length = command.length <= sizeof command.code ? command.length : sizeof command.code;
  json["address"] = command.address;
  json["length"] = command.length;
  json["bytes"] = HexBytes(command.code, length);
  bool restUsed = false;
  for (std::size_t i = length; i < sizeof command.code; ++i) restUsed = restUsed || command.code[i] != 0;
  if (restUsed) json["rest"] = HexBytes(command.code + length, sizeof command.code - length);
  json["text"] = text::ToUtf8(ToolStepText(command));
  return json;
}

bool CommandFromJson(const Json& value, std::uint32_t address, MacroCommand& command, JsonError& error) {
  if (!ExpectObject(value, "a command", {"address", "length", "bytes", "rest", "text"}, error)) return false;
  MacroCommand result;
  result.address = address;
  if (!GetU32(value, "address", result.address, false, error)) return false;
  const Json* bytesValue = FindMember(value, "bytes");
  if (!bytesValue) return FailAt(value, "a command needs \"bytes\"", error);
  std::vector<std::uint8_t> bytes;
  if (!ParseHexBytes(*bytesValue, "\"bytes\"", bytes, error)) return false;
  if (bytes.empty() || bytes.size() > sizeof result.code) {
    return FailAt(*bytesValue, "a command has 1 to 5 bytes, not " + std::to_string(bytes.size()), error);
  }
  result.length = static_cast<std::uint32_t>(bytes.size());
  if (const Json* length = FindMember(value, "length")) {
    std::uint32_t stated = 0;
    if (!ToU32(*length, "length", stated, error)) return false;
    if (stated != result.length) {
      return FailAt(*length,
                    "\"length\" is " + std::to_string(stated) + " but \"bytes\" holds " + std::to_string(result.length),
                    error);
    }
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) result.code[i] = bytes[i];
  if (const Json* restValue = FindMember(value, "rest")) {
    std::vector<std::uint8_t> rest;
    if (!ParseHexBytes(*restValue, "\"rest\"", rest, error)) return false;
    if (rest.size() > sizeof result.code - bytes.size()) {
      return FailAt(*restValue,
                    "\"rest\" may hold " + std::to_string(sizeof result.code - bytes.size()) + " bytes at most", error);
    }
    for (std::size_t i = 0; i < rest.size(); ++i) result.code[bytes.size() + i] = rest[i];
  }
  if (const Json* text = FindMember(value, "text")) {
    if (!text->is_string()) return FailAt(*text, "\"text\" must be a string", error);
  }
  command = result;
  return true;
}

std::u16string ToolScanCodeTableText() {
  return u"0 0\n4 30\n5 48\n6 46\n7 32\n8 18\n9 33\n10 34\n11 35\n12 23\n13 36\n14 37\n15 38\n16 50\n17 49\n"
         u"18 24\n19 25\n20 16\n21 19\n22 31\n23 20\n24 22\n25 47\n26 17\n27 45\n28 21\n29 44\n30 2\n31 3\n"
         u"32 4\n33 5\n34 6\n35 7\n36 8\n37 9\n38 10\n39 11\n40 28\n41 1\n42 14\n43 15\n44 57\n45 12\n46 13\n"
         u"47 26\n48 27\n49 43\n50 43\n51 39\n52 40\n53 41\n54 51\n55 52\n56 53\n57 58\n58 59\n59 60\n60 61\n"
         u"61 62\n62 63\n63 64\n64 65\n65 66\n66 67\n67 68\n68 87\n69 88\n70 57399\n71 70\n72 197\n73 57426\n"
         u"74 57415\n75 57417\n76 57427\n77 57423\n78 57425\n79 57421\n80 57419\n81 57424\n82 57416\n83 69\n"
         u"84 57397\n85 55\n86 74\n87 78\n88 57372\n89 79\n90 80\n91 81\n92 75\n93 76\n94 77\n95 71\n96 72\n"
         u"97 73\n98 82\n99 83\n100 86\n101 57437\n224 29\n225 42\n226 56\n227 91\n228 57373\n229 54\n230 57400\n"
         u"231 57435\n255 255\n";
}

std::u16string ToolStepText(const MacroCommand& command) {
  // Fixed English names: a description kept under version control must not
  // change with the keyboard layout of the machine that wrote it.
  static EnglishKeyNames source;
  static KeyNames keys(ToolScanCodeTableText, source);
  static const MacroStepTexts texts;
  return StepText(command, texts, keys);
}

std::string ToolModeText(std::uint8_t mode) {
  const std::uint8_t bytes[sizeof MacroCommand::code] = {mode};
  MacroCommand command;
  if (DecodeCommand(bytes, command) != kDecodedMode) return "unknown mode " + HexBytes(&mode, 1);
  return text::ToUtf8(ToolStepText(command));
}

std::string ByteCount(std::size_t count) { return std::to_string(count) + (count == 1 ? " byte" : " bytes"); }

std::string CommandProblem(const MacroCommand& command, bool first, std::uint32_t address) {
  MacroCommand decoded;
  const int result = DecodeCommand(command.code, decoded);
  char opcode[8];
  std::snprintf(opcode, sizeof opcode, "0x%02X", static_cast<unsigned>(command.code[0]));
  if (result == kDecodedInvalid) return std::string("invalid opcode ") + opcode;
  if (decoded.length != command.length) {
    return "length " + std::to_string(command.length) + " does not fit opcode " + opcode + ", which takes " +
           ByteCount(decoded.length);
  }
  if (command.address != address) {
    return "address " + std::to_string(command.address) + " should be " + std::to_string(address);
  }
  if (first && result != kDecodedMode) return std::string("a macro must start with a mode command, not ") + opcode;
  if (!first && result == kDecodedMode) return std::string("mode command ") + opcode + " after the start of the macro";
  if (IsEndOpcode(command.code[0])) return std::string("end opcode ") + opcode + " inside the macro";
  return std::string();
}
