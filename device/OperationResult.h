#pragma once
// What a backup, restore or reset did and what failed, for the window's
// closing message and for the command line. Counts are of what the mouse
// took (a backup: what it read).
#include <string>
#include <vector>

namespace device {

enum class OperationKind { kBackup, kRestore, kReset };

struct OperationResult {
  OperationKind kind = OperationKind::kBackup;

  int memoryBytes = 0;
  int levels = 0;
  int names = 0;  // profile names, all 16 bytes of each
  int buttons = 0;
  int directoryEntries = 0;
  int profileValues = 0;
  int commits = 0;
  bool fileWritten = false;  // a backup: a whole file is in place

  // Requests the mouse did not take; a level and a directory entry count as one.
  int failedRequests = 0;
  bool noMouse = false;       // nothing was sent
  bool mouseGone = false;     // unplugged on the way: nothing was sent after that
  bool memoryFailed = false;  // a memory read (backup) or page (restore) failed: the operation stopped there
  bool fileFailed = false;    // a backup's file could not be written; a restore's file was refused
  bool fileUnreadable = false;  // a restore's file could not even be opened
  std::string fileProblem;    // what was wrong with the file, in English, for logs
  // A restore: levels whose step in the file is 0, left as the mouse had them.
  std::vector<int> skippedLevels;

  bool Failed() const { return noMouse || mouseGone || memoryFailed || fileFailed || failedRequests > 0; }
};

}  // namespace device
