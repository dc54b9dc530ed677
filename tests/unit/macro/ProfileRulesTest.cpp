// The rules that choose a software profile from the program in front: which
// rule a program meets, the text file and its escapes, and what a load does
// with a damaged file.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/AtomicFile.h"
#include "macro/ProfileRules.h"
#include "support/TempFolder.h"

namespace {

TEST(ProfileRules, APathRuleWinsOverANameRuleAndBothIgnoreCase) {
  ProfileRules rules;
  ASSERT_TRUE(rules.Set(u"Game.EXE", 3));
  ASSERT_TRUE(rules.Set(u"D:/Old/game.exe", 5));
  ASSERT_TRUE(rules.SetNoMatch(1));
  EXPECT_EQ(rules.ProfileFor(ProgramAt(u"C:\\Games\\GAME.exe")), 3);
  EXPECT_EQ(rules.ProfileFor(ProgramAt(u"d:\\old\\Game.exe")), 5) << "a slash matches a backslash";
  EXPECT_EQ(rules.ProfileFor(ProgramAt(u"C:\\Games\\game.exe.bak")), 1);
  EXPECT_EQ(rules.ProfileFor(ForegroundProgram{u"", u"game.exe"}), 3) << "a program without its path";
  EXPECT_EQ(rules.ProfileFor(ProgramAt(u"C:\\Old\\game.exe")), 3) << "a path rule matches the whole path only";

  EXPECT_TRUE(rules.Set(u"GAME.exe", 6));
  EXPECT_EQ(rules.rules.size(), 2u) << "a program has one rule";
  EXPECT_EQ(rules.ProfileFor(ProgramAt(u"game.exe")), 6);
  EXPECT_FALSE(rules.Set(u"x.exe", 7));
  EXPECT_FALSE(rules.Set(u"", 0));
  EXPECT_FALSE(rules.Set(std::u16string(1, u'\xD800'), 0)) << "a lone surrogate cannot be written";
  EXPECT_FALSE(rules.SetNoMatch(7));
  EXPECT_TRUE(rules.Remove(u"game.EXE"));
  EXPECT_FALSE(rules.Remove(u"game.exe"));
  EXPECT_TRUE(rules.SetNoMatch(kStayOnNoMatch));
  EXPECT_EQ(rules.ProfileFor(ProgramAt(u"C:\\Games\\game.exe")), kStayOnNoMatch);
}

TEST(ProfileRules, TheFileRoundTripsAnyProgramName) {
  ProfileRules rules;
  rules.Set(u"game.exe", 3);
  rules.Set(u"C:\\Program Files\\My 100% Tool\\tool.exe", 0);
  rules.Set(u" padded \t name ", 6);
  rules.Set(u"caf\u00e9 \u6e38\u620f.exe", 2);
  rules.SetNoMatch(4);
  const std::string text = FormatRules(rules);
  EXPECT_EQ(text,
            "vantor profile rules 1\r\nno-match 4\r\nrule 3 game.exe\r\n"
            "rule 0 C:\\Program Files\\My 100%25 Tool\\tool.exe\r\nrule 6 %20padded %09 name%20\r\n"
            "rule 2 caf\xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F.exe\r\n");
  ProfileRules back;
  ASSERT_TRUE(ParseRules(text, back));
  EXPECT_EQ(back, rules);

  ProfileRules handWritten;
  ASSERT_TRUE(ParseRules("\xEF\xBB\xBFvantor profile rules 1\n\nrule 1 a%2fb.exe\nno-match stay", handWritten));
  EXPECT_EQ(handWritten.rules, (std::vector<ProfileRule>{{u"a/b.exe", 1}}));
  EXPECT_EQ(handWritten.noMatch, kStayOnNoMatch);
}

TEST(ProfileRules, ADamagedFileNamesItsLineAndChangesNothing) {
  const struct {
    const char* text;
    int line;
  } cases[] = {
      {"", 1},
      {"vantor profile rules 2\r\n", 1},
      {"vantor profile rules 1\r\nrule 7 a.exe\r\n", 2},
      {"vantor profile rules 1\r\nrule 3 \r\n", 2},
      {"vantor profile rules 1\r\nrule 3\r\n", 2},
      {"vantor profile rules 1\r\nrule 3 a%4\r\n", 2},
      {"vantor profile rules 1\r\nrule 3 a%zz\r\n", 2},
      {"vantor profile rules 1\r\nrule 3 \xC3\r\n", 2},
      {"vantor profile rules 1\r\nrule 3 A.exe\r\nrule 4 a.EXE\r\n", 3},
      {"vantor profile rules 1\r\nno-match stay\r\nno-match 2\r\n", 3},
      {"vantor profile rules 1\r\nno-match 9\r\n", 2},
      {"vantor profile rules 1\r\n# a comment\r\n", 2},
  };
  for (const auto& c : cases) {
    ProfileRules rules;
    rules.Set(u"kept.exe", 1);
    RulesProblem problem;
    EXPECT_FALSE(ParseRules(c.text, rules, &problem)) << c.text;
    EXPECT_EQ(problem.line, c.line) << c.text;
    EXPECT_FALSE(problem.what.empty());
    EXPECT_EQ(rules.rules.size(), 1u) << c.text;
  }
}

TEST(ProfileRules, ALoadKeepsADamagedFileAsideAndGoesOnWithoutRules) {
  TempFolder folder;
  const std::filesystem::path file = folder / "profiles.rules";
  ProfileRules rules;
  rules.Set(u"old.exe", 1);
  EXPECT_EQ(LoadRules(file, rules, 0).result, RulesLoad::kMissing);
  EXPECT_TRUE(rules.rules.empty());

  rules.Set(u"game.exe", 3);
  ASSERT_EQ(SaveRules(rules, file), 1);
  ProfileRules loaded;
  EXPECT_EQ(LoadRules(file, loaded, 0).result, RulesLoad::kLoaded);
  EXPECT_EQ(loaded, rules);

  const std::string damaged = "vantor profile rules 1\r\nrule x game.exe\r\n";
  ASSERT_EQ(WriteFileAtomically(file, std::vector<std::uint8_t>(damaged.begin(), damaged.end())), 1);
  const RulesLoadReport report = LoadRules(file, loaded, 0);
  EXPECT_EQ(report.result, RulesLoad::kDamaged);
  EXPECT_EQ(report.problem.line, 2);
  EXPECT_TRUE(loaded.rules.empty());
  EXPECT_FALSE(std::filesystem::exists(file));
  std::vector<std::uint8_t> kept;
  ASSERT_EQ(ReadFileBytes(report.keptAside, kept), FileReadResult::kRead);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), damaged);
}

}  // namespace
