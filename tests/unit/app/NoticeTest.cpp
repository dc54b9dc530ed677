#include <gtest/gtest.h>

#include "app/Notice.h"
#include "base/IniFile.h"

namespace {

using device::OperationKind;
using device::OperationResult;

const UiText& English() {
  static const UiText texts = LoadUiText(IniFile(), 5888);
  return texts;
}

OperationResult Result(OperationKind kind, int failedRequests = 0) {
  OperationResult result;
  result.kind = kind;
  result.failedRequests = failedRequests;
  return result;
}

}  // namespace

TEST(OperationNotice, SaysCompletedOrWhatStoppedTheOperationAndWhatWasLeftUndone) {
  const Notice done = OperationNotice(English(), Result(OperationKind::kRestore));
  EXPECT_EQ(done.caption, u"Restore");
  EXPECT_EQ(done.text, u"Completed !!");

  OperationResult counted = Result(OperationKind::kRestore, 2);
  counted.skippedLevels = {0, 3};
  EXPECT_EQ(OperationNotice(English(), counted).text,
            u"The mouse did not take 2 requests; everything else was written.\r\n"
            u"DPI level 1 was left as it was: the backup holds a step of 0 for it.\r\n"
            u"DPI level 4 was left as it was: the backup holds a step of 0 for it.");

  // What stopped an operation says it all: no count after it.
  OperationResult gone = Result(OperationKind::kReset, 1);
  gone.mouseGone = true;
  EXPECT_EQ(OperationNotice(English(), gone).caption, u"Reset");
  EXPECT_EQ(OperationNotice(English(), gone).text, u"The mouse was unplugged, so the operation stopped before it was done.");
  OperationResult page = Result(OperationKind::kRestore, 1);
  page.memoryFailed = true;
  EXPECT_EQ(OperationNotice(English(), page).text, u"Writing the mouse's memory failed, so the restore stopped there.");

  const Notice unread = OperationNotice(English(), Result(OperationKind::kBackup, 1));
  EXPECT_EQ(unread.caption, u"Backup");
  EXPECT_EQ(unread.text, u"Not all data could be read from the mouse, so no backup file was written.");
  OperationResult refused = Result(OperationKind::kRestore);
  refused.fileFailed = true;
  EXPECT_EQ(OperationNotice(English(), refused).text,
            u"This is not a backup file, or it is incomplete. Nothing was written to the mouse.");
  refused.fileUnreadable = true;
  EXPECT_EQ(OperationNotice(English(), refused).text,
            u"The file could not be opened, so nothing was written to the mouse.");
}

TEST(LibraryLoadNotice, NamesTheFileAndWhereTheWorkGoesOnlyWhenSomethingWasLost) {
  const std::filesystem::path file = std::filesystem::path("lib") / "macro.dat";
  LibraryLoadReport report;
  report.result = LibraryLoad::kUnreadable;
  report.savedInstead = std::filesystem::path("lib") / "macro (unsaved).dat";
  const std::optional<Notice> unreadable = LibraryLoadNotice(English(), report, file);
  ASSERT_TRUE(unreadable.has_value());
  EXPECT_EQ(unreadable->caption, u"Macro library");
  EXPECT_EQ(unreadable->text, u"The macro library \"" + file.u16string() + u"\" cannot be read, so it is left as it is.\r\n" +
                                  u"What you change now is saved to \"" + report.savedInstead.u16string() + u"\".");

  report = LibraryLoadReport();
  report.result = LibraryLoad::kDamaged;
  report.keptAside = std::filesystem::path("lib") / "macro.dat.damaged";
  const std::optional<Notice> damaged = LibraryLoadNotice(English(), report, file);
  ASSERT_TRUE(damaged.has_value());
  EXPECT_NE(damaged->text.find(report.keptAside.u16string()), std::u16string::npos);

  // Read whole but with bytes left over, which a flipped length or count
  // also gives: the copy kept aside is named too.
  report.result = LibraryLoad::kLoaded;
  const std::optional<Notice> leftOver = LibraryLoadNotice(English(), report, file);
  ASSERT_TRUE(leftOver.has_value());
  EXPECT_EQ(leftOver->text, damaged->text);

  report.keptAside.clear();
  EXPECT_FALSE(LibraryLoadNotice(English(), report, file).has_value());
}
