#include "tools/RulesCommands.h"

#include <system_error>

#include "base/AtomicFile.h"
#include "base/Utf16.h"
#include "macro/ProfileRules.h"
#include "tools/Json.h"
#include "tools/ToolCommands.h"

namespace {

// A profile as the command line gives it: one digit, 0 to 6.
bool ProfileArgument(const std::u16string& arg, int& profile) {
  if (arg.size() != 1 || arg[0] < u'0' || arg[0] > u'6') return false;
  profile = arg[0] - u'0';
  return true;
}

void Print(const ProfileRules& rules, const std::filesystem::path& file, bool json, std::ostream& out) {
  if (json) {
    Json list = Json::array();
    for (const ProfileRule& rule : rules.rules) {
      list.push_back(Json{{"program", text::ToUtf8(rule.program)}, {"profile", rule.profile}});
    }
    const Json noMatch = rules.noMatch == kStayOnNoMatch ? Json("stay") : Json(rules.noMatch);
    WriteJson(out, Json{{"file", file.u8string()}, {"noMatch", noMatch}, {"rules", list}});
    out << '\n';
    return;
  }
  out << file.u8string() << ": " << rules.rules.size() << (rules.rules.size() == 1 ? " rule" : " rules")
      << "; no match: "
      << (rules.noMatch == kStayOnNoMatch ? std::string("stay") : "profile " + std::to_string(rules.noMatch)) << '\n';
  for (const ProfileRule& rule : rules.rules) {
    out << "profile " << rule.profile << "  " << text::ToUtf8(rule.program) << '\n';
  }
}

}  // namespace

int RunRulesCommand(const std::vector<std::u16string>& args, bool json, const FilePlace& place, std::ostream& out,
                    std::ostream& err) {
  const std::string verb = args.size() > 1 ? text::ToUtf8(args[1]) : std::string();
  int profile = kStayOnNoMatch;
  const bool list = args.size() == 1;
  const bool add = verb == "add" && args.size() == 4 && ProfileArgument(args[3], profile);
  const bool remove = verb == "remove" && args.size() == 3;
  const bool noMatch = verb == "no-match" && args.size() == 3 &&
                       (args[2] == u"stay" || ProfileArgument(args[2], profile));
  if (!list && !add && !remove && !noMatch) {
    err << "usage: vantor-tool rules [add PROGRAM PROFILE | remove PROGRAM | no-match stay|PROFILE]\n"
           "       (profiles 0 to 6; options --json, --rules=FILE)\n";
    return kToolUsage;
  }

  ProfileRules rules;
  std::vector<std::uint8_t> bytes;
  const FileReadResult read = ReadFileBytes(place.readFrom, bytes, kRulesFileMaxBytes + 1);
  if (read == FileReadResult::kFailed) {
    err << place.readFrom.u8string() << ": cannot be read\n";
    return kToolUsage;
  }
  RulesProblem problem;
  if (!bytes.empty() && !ParseRules(std::string(bytes.begin(), bytes.end()), rules, &problem)) {
    // Never replace what the program would keep aside as damaged.
    err << place.readFrom.u8string() << ": line " << problem.line << ": " << problem.what << '\n';
    return kToolFileProblem;
  }
  if (list) {
    Print(rules, place.readFrom, json, out);
    return kToolOk;
  }

  const std::u16string& program = args[2];
  if (add && !rules.Set(program, profile)) {
    err << "vantor-tool: the rule for " << text::ToUtf8(program) << " was refused (a program of at most "
        << kMaxProgramLength << " characters, at most " << kMaxRules << " rules)\n";
    return kToolUsage;
  }
  if (remove && !rules.Remove(program)) {
    err << "vantor-tool: no rule for " << text::ToUtf8(program) << '\n';
    return kToolUsage;
  }
  if (noMatch) rules.SetNoMatch(profile);

  std::error_code code;
  std::filesystem::create_directories(place.saveTo.parent_path(), code);
  std::string why;
  if (!SaveRules(rules, place.saveTo, &why)) {
    err << place.saveTo.u8string() << ": not written: " << why << '\n';
    return kToolUsage;
  }
  Print(rules, place.saveTo, json, out);
  return kToolOk;
}
