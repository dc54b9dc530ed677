#include "macro/ProfileRules.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "macro/SoftwareProfiles.h"

namespace {

constexpr const char* kNoMatchWord = "no-match ";
constexpr const char* kRuleWord = "rule ";
constexpr const char* kStayWord = "stay";
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsPathRule(const std::u16string& program) {
  return std::any_of(program.begin(), program.end(), IsSeparator);
}

std::u16string Folded(const std::u16string& program) {
  std::u16string folded = text::ToLower(program);
  std::replace(folded.begin(), folded.end(), u'/', u'\\');
  return folded;
}

bool IsProfile(int profile) { return profile >= 0 && profile < kSoftwareProfileCount; }

// A program that UTF-8 carries unchanged: no lone surrogate.
bool SurvivesUtf8(const std::u16string& program) { return text::FromUtf8(text::ToUtf8(program)) == program; }

bool StartsWith(const std::string& line, const char* word) { return line.rfind(word, 0) == 0; }

// A profile written as one digit.
int ProfileDigit(const std::string& word) {
  if (word.size() != 1 || word[0] < '0' || word[0] > '9') return kStayOnNoMatch;
  const int profile = word[0] - '0';
  return IsProfile(profile) ? profile : kStayOnNoMatch;
}

std::string Escaped(const std::u16string& program) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string bytes = text::ToUtf8(program);
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const bool edgeBlank = byte == ' ' && (i == 0 || i + 1 == bytes.size());
    if (byte == '%' || byte < 0x20 || byte == 0x7F || edgeBlank) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool Unescaped(const std::string& written, std::string& bytes) {
  bytes.clear();
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] != '%') {
      bytes += written[i];
      continue;
    }
    if (i + 2 >= written.size()) return false;
    const int high = HexDigit(written[i + 1]);
    const int low = HexDigit(written[i + 2]);
    if (high < 0 || low < 0) return false;
    bytes += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

}  // namespace

bool ForegroundProgram::operator==(const ForegroundProgram& other) const {
  return SameProgram(path, other.path) && SameProgram(name, other.name);
}

ForegroundProgram ProgramAt(const std::u16string& path) {
  const auto last = std::find_if(path.rbegin(), path.rend(), IsSeparator);
  return {path, std::u16string(last.base(), path.end())};
}

bool SameProgram(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() && Folded(a) == Folded(b);
}

int ProfileRules::ProfileFor(const ForegroundProgram& program) const {
  for (int pass = 0; pass < 2; ++pass) {
    const bool byPath = pass == 0;
    const std::u16string& wanted = byPath ? program.path : program.name;
    if (wanted.empty()) continue;
    for (const ProfileRule& rule : rules) {
      if (IsPathRule(rule.program) == byPath && SameProgram(rule.program, wanted)) return rule.profile;
    }
  }
  return noMatch;
}

const ProfileRule* ProfileRules::Find(const std::u16string& program) const {
  const auto found = std::find_if(rules.begin(), rules.end(),
                                  [&](const ProfileRule& rule) { return SameProgram(rule.program, program); });
  return found == rules.end() ? nullptr : &*found;
}

bool ProfileRules::Set(const std::u16string& program, int profile) {
  if (program.empty() || program.size() > kMaxProgramLength || !IsProfile(profile) || !SurvivesUtf8(program)) {
    return false;
  }
  for (ProfileRule& rule : rules) {
    if (SameProgram(rule.program, program)) {
      rule = {program, profile};
      return true;
    }
  }
  if (rules.size() >= kMaxRules) return false;
  rules.push_back({program, profile});
  return true;
}

bool ProfileRules::Remove(const std::u16string& program) {
  const auto kept = std::remove_if(rules.begin(), rules.end(),
                                   [&](const ProfileRule& rule) { return SameProgram(rule.program, program); });
  if (kept == rules.end()) return false;
  rules.erase(kept, rules.end());
  return true;
}

bool ProfileRules::SetNoMatch(int profile) {
  if (profile != kStayOnNoMatch && !IsProfile(profile)) return false;
  noMatch = profile;
  return true;
}

std::string FormatRules(const ProfileRules& rules) {
  std::string out = std::string(kRulesHeader) + "\r\n";
  out += kNoMatchWord;
  out += rules.noMatch == kStayOnNoMatch ? std::string(kStayWord) : std::to_string(rules.noMatch);
  out += "\r\n";
  for (const ProfileRule& rule : rules.rules) {
    out += kRuleWord + std::to_string(rule.profile) + " " + Escaped(rule.program) + "\r\n";
  }
  return out;
}

bool ParseRules(const std::string& text, ProfileRules& rules, RulesProblem* problem) {
  const auto fail = [&](int line, std::string what) {
    if (problem) *problem = {line, std::move(what)};
    return false;
  };
  if (text.size() > kRulesFileMaxBytes) return fail(0, "the file is larger than a rules file can be");
  std::size_t at = StartsWith(text, kByteOrderMark) ? 3 : 0;
  ProfileRules parsed;
  bool noMatchSeen = false;
  int number = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string line = text.substr(at, end - at);
    at = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1) {
      if (line != kRulesHeader) return fail(number, "not a rules file (the first line is not \"" +
                                                        std::string(kRulesHeader) + "\")");
      continue;
    }
    if (line.empty()) continue;
    if (StartsWith(line, kNoMatchWord)) {
      const std::string word = line.substr(std::char_traits<char>::length(kNoMatchWord));
      const int profile = word == kStayWord ? kStayOnNoMatch : ProfileDigit(word);
      if (noMatchSeen) return fail(number, "a second no-match line");
      if (word != kStayWord && profile == kStayOnNoMatch) return fail(number, "no profile 0 to 6: " + word);
      noMatchSeen = true;
      parsed.noMatch = profile;
    } else if (StartsWith(line, kRuleWord)) {
      const std::size_t prefix = std::char_traits<char>::length(kRuleWord);
      const int profile = ProfileDigit(line.substr(prefix, 1));
      if (profile == kStayOnNoMatch || line.size() < prefix + 3 || line[prefix + 1] != ' ') {
        return fail(number, "a rule needs a profile 0 to 6, one blank and a program");
      }
      std::string bytes;
      if (!Unescaped(line.substr(prefix + 2), bytes)) return fail(number, "a % not followed by two hex digits");
      const std::u16string program = text::FromUtf8(bytes);
      if (text::ToUtf8(program) != bytes) return fail(number, "the program is not UTF-8");
      if (parsed.Find(program)) return fail(number, "a second rule for " + bytes);
      if (!parsed.Set(program, profile)) return fail(number, "more than 1000 rules, or a program too long");
    } else {
      return fail(number, "neither a rule nor the no-match line");
    }
  }
  if (number == 0) return fail(1, "not a rules file (it is empty)");
  rules = std::move(parsed);
  return true;
}

RulesLoadReport LoadRules(const std::filesystem::path& file, ProfileRules& rules, std::time_t now) {
  RulesLoadReport report;
  rules = ProfileRules();
  std::vector<std::uint8_t> bytes;
  const FileReadResult read = ReadFileBytes(file, bytes, kRulesFileMaxBytes + 1);
  // An empty file holds no rules, as a missing one does.
  if (read == FileReadResult::kMissing || (read == FileReadResult::kRead && bytes.empty())) return report;
  if (read == FileReadResult::kFailed) {
    report.result = RulesLoad::kUnreadable;
    report.problem.what = "the file cannot be read";
  } else if (ParseRules(std::string(bytes.begin(), bytes.end()), rules, &report.problem)) {
    report.result = RulesLoad::kLoaded;
    return report;
  } else {
    report.result = RulesLoad::kDamaged;
    KeepDamagedFileAside(file, now, report.keptAside);
  }
  diag::Write("rules file " + file.u8string() + ": line " + std::to_string(report.problem.line) + ": " +
              report.problem.what +
              (report.keptAside.empty() ? std::string() : "; kept as " + report.keptAside.u8string()));
  return report;
}

int SaveRules(const ProfileRules& rules, const std::filesystem::path& file, std::string* error) {
  const std::string text = FormatRules(rules);
  return WriteFileAtomically(file, std::vector<std::uint8_t>(text.begin(), text.end()), error);
}
