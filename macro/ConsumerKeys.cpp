#include "macro/ConsumerKeys.h"

namespace {

struct ConsumerKey {
  std::uint16_t usage;
  const char16_t* name;
};

constexpr ConsumerKey kNames[] = {
    {0xB0, u"Play"},          {0xB1, u"Pause"},          {0xB3, u"Fast Forward"}, {0xB4, u"Rewind"},
    {0xB5, u"Scan Next Track"}, {0xB6, u"Scan Previous Track"}, {0xB7, u"Stop"}, {0xCD, u"Play/Pause"},
    {0xE2, u"Mute"},          {0xE9, u"Volume +"},       {0xEA, u"Volume -"},     {0x183, u"Media Player"},
    {0x18A, u"E-Mail"},       {0x192, u"Calculator"},    {0x194, u"My Computer"}, {0x221, u"Search"},
    {0x223, u"WWW Home"},     {0x224, u"Back"},          {0x225, u"Forward"},     {0x227, u"Refresh"},
    {0x22A, u"Bookmarks"},
};

struct KeyCodeUsage {
  std::uint8_t keyCode;
  std::uint16_t usage;
};

constexpr KeyCodeUsage kKeyCodes[] = {
    {0xCE, 0xB0},  {0xB3, 0xCD},  {0xCD, 0xCD},  {0xA6, 0x224}, {0xA7, 0x225}, {0xE2, 0xE2},
    {0xB4, 0x18A}, {0xB2, 0xB7},  {0xAC, 0x223}, {0xAB, 0x22A}, {0xAA, 0x221}, {0xB5, 0x183},
    {0xAF, 0xE9},  {0xAE, 0xEA},  {0xB0, 0xB5},  {0xB1, 0xB6},
};

}  // namespace

std::u16string ConsumerName(std::uint32_t usage) {
  for (const auto& key : kNames) {
    if (key.usage == usage) return key.name;
  }
  return u"Unknown";
}

std::uint16_t ConsumerFromKeyCode(std::uint32_t keyCode) {
  for (const auto& entry : kKeyCodes) {
    if (entry.keyCode == keyCode) return entry.usage;
  }
  return 0;
}
