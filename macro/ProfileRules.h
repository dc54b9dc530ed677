#pragma once
// Rules that choose the software profile from the program in front: each maps
// a program (its file name, or a full path) to one of the seven profiles; one
// more setting says what a program without a rule gets. They are kept in a
// small text file of their own beside the library, never in "macro.dat",
// whose format other copies of the program rely on.
//
// The file, UTF-8 with CR LF line ends (LF alone is read too):
//   vantor profile rules 1
//   no-match stay            (or "no-match 4": go to profile 4)
//   rule 3 game.exe
//   rule 0 C:\Program Files\Browser\browser.exe
// A program runs to the end of its line; "%", control characters and a
// blank at its start or end are written as %XX, the hex of their UTF-8 bytes.
#include <cstddef>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

inline const char16_t* const kRulesFileName = u"profiles.rules";
inline constexpr const char* kRulesHeader = "vantor profile rules 1";
// The no-match setting that keeps the current profile.
inline constexpr int kStayOnNoMatch = -1;
inline constexpr std::size_t kMaxRules = 1000;
// The longest path Windows takes, in UTF-16 units.
inline constexpr std::size_t kMaxProgramLength = 32767;
inline constexpr std::size_t kRulesFileMaxBytes = 4u * 1024u * 1024u;

// A program as a rule names it: with a "\" or "/" a full path, matched
// whole; otherwise a file name. Both without regard to case.
struct ProfileRule {
  std::u16string program;
  int profile = 0;
  bool operator==(const ProfileRule& other) const { return program == other.program && profile == other.profile; }
};

// The program in front: its full path (empty when the system did not give
// it) and its file name.
struct ForegroundProgram {
  std::u16string path;
  std::u16string name;
  bool operator==(const ForegroundProgram& other) const;
};
ForegroundProgram ProgramAt(const std::u16string& path);

// Whether two program names or paths name the same program: case-blind,
// with "/" and "\" alike.
bool SameProgram(const std::u16string& a, const std::u16string& b);

struct ProfileRules {
  std::vector<ProfileRule> rules;  // at most one per program
  int noMatch = kStayOnNoMatch;    // a profile, or kStayOnNoMatch

  // The profile for `program`: the rule for its path, else the one for its
  // name, else `noMatch` (kStayOnNoMatch included).
  int ProfileFor(const ForegroundProgram& program) const;
  // The rule for exactly this program (name or path), or null.
  const ProfileRule* Find(const std::u16string& program) const;
  // Adds a rule, or gives the program's rule the new profile. False when
  // refused: an empty or overlong program, a profile outside 0..6, or no
  // room for one more rule.
  bool Set(const std::u16string& program, int profile);
  // False when there is no rule for the program.
  bool Remove(const std::u16string& program);
  // False for a profile that is neither kStayOnNoMatch nor 0..6.
  bool SetNoMatch(int profile);

  bool operator==(const ProfileRules& other) const { return rules == other.rules && noMatch == other.noMatch; }
};

std::string FormatRules(const ProfileRules& rules);

// What is wrong with a rules file, and on which line (from 1).
struct RulesProblem {
  int line = 0;
  std::string what;
};

// Parses a whole file into `rules`, which change only when every line made sense.
bool ParseRules(const std::string& text, ProfileRules& rules, RulesProblem* problem = nullptr);

enum class RulesLoad {
  kLoaded,      // the file's rules are in place
  kMissing,     // no file: no rules
  kUnreadable,  // the file could not be read: no rules, the file is left as it is
  kDamaged      // not a rules file, or damaged: kept aside, no rules
};

// What the window turns into a message.
struct RulesLoadReport {
  RulesLoad result = RulesLoad::kMissing;
  RulesProblem problem;
  std::filesystem::path keptAside;  // where a damaged file now is
};

// Loads `file` into `rules` (emptied unless the file was read). `now` dates
// the name a damaged file is kept under.
RulesLoadReport LoadRules(const std::filesystem::path& file, ProfileRules& rules, std::time_t now);

// Writes the rules in one step; 1 when done, else 0 with `error` saying why.
int SaveRules(const ProfileRules& rules, const std::filesystem::path& file, std::string* error = nullptr);
