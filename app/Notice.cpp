#include "app/Notice.h"

#include "base/TemplateFormatter.h"

namespace {

using device::OperationKind;
using device::OperationResult;
using text::FormatTemplate;
using text::TemplateArg;

void AddLine(std::u16string& text, const std::u16string& line) {
  if (!text.empty()) text += u"\r\n";
  text += line;
}

// The line that says why the operation did not finish, if it did not.
int StopMessage(const OperationResult& result) {
  if (result.noMouse) return kMessageNoMouse;
  if (result.fileFailed) {
    if (result.kind != OperationKind::kRestore) return kMessageBackupWriteFailed;
    return result.fileUnreadable ? kMessageFileUnreadable : kMessageNotABackup;
  }
  if (result.mouseGone) return kMessageMouseGone;
  if (result.kind == OperationKind::kBackup && result.failedRequests > 0) return kMessageBackupReadFailed;
  if (result.memoryFailed) return kMessageMemoryWriteFailed;
  return -1;
}

}  // namespace

Notice OperationNotice(const UiText& texts, const OperationResult& result) {
  const auto& messages = texts.messageTexts;
  Notice notice;
  switch (result.kind) {
    case OperationKind::kBackup:
      notice.caption = messages[kMessageBackupCaption];
      break;
    case OperationKind::kRestore:
      notice.caption = messages[kMessageRestoreCaption];
      break;
    case OperationKind::kReset:
      notice.caption = messages[kMessageResetCaption];
      break;
  }
  const int stop = StopMessage(result);
  if (stop >= 0) AddLine(notice.text, messages[static_cast<std::size_t>(stop)]);
  // A backup writes nothing after a failure; the others go on and count.
  if (result.kind != OperationKind::kBackup && result.failedRequests > 0 && !result.mouseGone &&
      !result.memoryFailed) {
    AddLine(notice.text, FormatTemplate(messages[kMessageRequestsFailed], {TemplateArg::Int(result.failedRequests)}));
  }
  if (notice.text.empty()) notice.text = messages[kMessageCompleted];
  // Levels as the user counts them, from 1.
  for (int level : result.skippedLevels) {
    AddLine(notice.text, FormatTemplate(messages[kMessageLevelSkipped], {TemplateArg::Int(level + 1)}));
  }
  return notice;
}

std::optional<Notice> LibraryLoadNotice(const UiText& texts, const LibraryLoadReport& report,
                                        const std::filesystem::path& file) {
  const auto& messages = texts.messageTexts;
  Notice notice;
  notice.caption = messages[kMessageLibraryCaption];
  const TemplateArg name = TemplateArg::Text(file.u16string());
  if (!report.savedInstead.empty()) {
    notice.text = FormatTemplate(messages[kMessageLibraryUnreadable],
                                 {name, TemplateArg::Text(report.savedInstead.u16string())});
    return notice;
  }
  // A file read whole with bytes left over was kept as a copy: those bytes
  // may be a record the damage pushed out of place, and the next save drops them.
  if (report.result == LibraryLoad::kDamaged || report.result == LibraryLoad::kWrongMagic ||
      !report.keptAside.empty()) {
    notice.text = FormatTemplate(messages[kMessageLibraryDamaged],
                                 {name, TemplateArg::Text(report.keptAside.u16string())});
    return notice;
  }
  return std::nullopt;
}

std::optional<Notice> RulesLoadNotice(const UiText& texts, const RulesLoadReport& report,
                                      const std::filesystem::path& file) {
  const auto& messages = texts.messageTexts;
  const TemplateArg name = TemplateArg::Text(file.u16string());
  Notice notice;
  notice.caption = messages[kMessageRulesCaption];
  if (report.result == RulesLoad::kUnreadable) {
    notice.text = FormatTemplate(messages[kMessageRulesUnreadable], {name});
  } else if (report.result == RulesLoad::kDamaged) {
    // A file that could not be moved aside is still where it was.
    const std::filesystem::path kept = report.keptAside.empty() ? file : report.keptAside;
    notice.text = FormatTemplate(messages[kMessageRulesDamaged], {name, TemplateArg::Text(kept.u16string())});
  } else {
    return std::nullopt;
  }
  return notice;
}
