#include "app/LibraryPlace.h"

#include <system_error>

#include "base/AtomicFile.h"
#include "base/DiagLog.h"

namespace fs = std::filesystem;

LibraryPlace ChooseLibraryPlace(const fs::path& programDir, bool programDirWritable, const fs::path& userDir) {
  return ChooseFilePlace(programDir, programDirWritable, userDir, kLibraryFileName);
}

LibraryLoadReport LoadLibraryAt(const LibraryPlace& place, MacroLibrary& library, LibraryView& view, std::time_t now) {
  // A save killed before its replace leaves its temporary; a minute is far
  // longer than any save the companion tool may be running right now.
  if (const int removed = RemoveLeftTemporaries(place.saveTo, 60)) {
    diag::Writef("library: %d temporaries of interrupted saves removed", removed);
  }
  LibraryLoadReport report = LoadLibrary(library, view, place.readFrom, now);
  if (place.saveTo == place.readFrom) return report;
  std::error_code code;
  fs::create_directories(place.saveTo.parent_path(), code);
  if (code) diag::Write("library folder " + place.saveTo.parent_path().u8string() + " not created: " + code.message());
  // The load guarded an unreadable file with a name beside it, where this
  // run cannot write either; saves go to the user's folder instead.
  library.savesGoTo.clear();
  if (!report.savedInstead.empty()) report.savedInstead = place.saveTo;
  return report;
}
