// Feeds arbitrary text to the rules-file reader; whatever it takes must be
// written back to a file that reads as the same rules.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "macro/ProfileRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ProfileRules rules;
  if (!ParseRules(std::string(reinterpret_cast<const char*>(data), size), rules)) {
    if (!rules.rules.empty() || rules.noMatch != kStayOnNoMatch) std::abort();
    return 0;
  }
  if (rules.rules.size() > kMaxRules) std::abort();
  const std::string text = FormatRules(rules);
  ProfileRules back;
  if (!ParseRules(text, back) || !(back == rules) || FormatRules(back) != text) std::abort();
  for (const ProfileRule& rule : rules.rules) {
    const bool byName = rule.program.find_first_of(u"\\/") == std::u16string::npos;
    if (byName && rules.ProfileFor(ProgramAt(rule.program)) != rule.profile) {
      std::abort();
    }
  }
  return 0;
}
