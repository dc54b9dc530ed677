#include <gtest/gtest.h>

#include "app/Notice.h"
#include "base/IniFile.h"

namespace {

const UiText& English() {
  static const UiText texts = LoadUiText(IniFile(), 5888);
  return texts;
}

device::OperationResult Result(device::OperationKind kind) {
  device::OperationResult result;
  result.kind = kind;
  return result;
}

}  // namespace

TEST(OperationNotice, SaysCompletedOrWhatStoppedTheOperationAndWhatWasLeftUndone) {
  using device::OperationKind;
  const Notice done = OperationNotice(English(), Result(OperationKind::kRestore));
  EXPECT_EQ(done.caption, u"Restore");
  EXPECT_EQ(done.text, u"Completed !!");

  device::OperationResult counted = Result(OperationKind::kRestore);
  counted.failedRequests = 2;
  counted.skippedLevels = {0, 3};
  EXPECT_EQ(OperationNotice(English(), counted).text,
            u"The mouse did not take 2 requests; everything else was written.\r\n"
            u"DPI level 1 was left as it was: the backup holds a step of 0 for it.\r\n"
            u"DPI level 4 was left as it was: the backup holds a step of 0 for it.");

  device::OperationResult gone = Result(OperationKind::kReset);
  gone.failedRequests = 1;
  gone.mouseGone = true;
  EXPECT_EQ(OperationNotice(English(), gone).caption, u"Reset");
  EXPECT_EQ(OperationNotice(English(), gone).text,
            u"The mouse was unplugged, so the operation stopped before it was done.");

  device::OperationResult unread = Result(OperationKind::kBackup);
  unread.failedRequests = 1;
  unread.memoryFailed = true;
  EXPECT_EQ(OperationNotice(English(), unread).caption, u"Backup");
  EXPECT_EQ(OperationNotice(English(), unread).text,
            u"Not all data could be read from the mouse, so no backup file was written.");

  device::OperationResult page = Result(OperationKind::kRestore);
  page.failedRequests = 1;
  page.memoryFailed = true;
  EXPECT_EQ(OperationNotice(English(), page).text, u"Writing the mouse's memory failed, so the restore stopped there.");

  device::OperationResult refused = Result(OperationKind::kRestore);
  refused.fileFailed = true;
  EXPECT_EQ(OperationNotice(English(), refused).text,
            u"This is not a backup file, or it is incomplete. Nothing was written to the mouse.");
}

TEST(OperationNotice, TakesEveryLineFromTheLanguageFile) {
  const UiText german = LoadUiText(
      IniFile::FromBytes("[MESSAGE]\nstr0=Fertig\nstr8=Wiederherstellen\nstr32=Stufe %d ausgelassen\n"), 5888);
  device::OperationResult result = Result(device::OperationKind::kRestore);
  result.skippedLevels = {1};
  const Notice notice = OperationNotice(german, result);
  EXPECT_EQ(notice.caption, u"Wiederherstellen");
  EXPECT_EQ(notice.text, u"Fertig\r\nStufe 2 ausgelassen");
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

  LibraryLoadReport damaged;
  damaged.result = LibraryLoad::kDamaged;
  damaged.keptAside = std::filesystem::path("lib") / "macro.dat.damaged";
  const std::optional<Notice> cut = LibraryLoadNotice(English(), damaged, file);
  ASSERT_TRUE(cut.has_value());
  EXPECT_NE(cut->text.find(damaged.keptAside.u16string()), std::u16string::npos);

  for (LibraryLoad quiet : {LibraryLoad::kLoaded, LibraryLoad::kMissing}) {
    LibraryLoadReport fine;
    fine.result = quiet;
    EXPECT_FALSE(LibraryLoadNotice(English(), fine, file).has_value());
  }
}
