#pragma once
// "macro.dat": the library and the per-mouse settings, little endian, texts as
// archive strings. A load parses the whole file into a temporary library and
// takes it over only when every byte made sense; a save writes a temporary
// file and replaces the old one in one step.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "macro/LibraryView.h"
#include "macro/MacroLibrary.h"

// What went wrong in a file and at which byte.
struct FileProblem {
  std::size_t offset = 0;
  std::string what;
};

enum class LibraryParse { kParsed, kWrongMagic, kDamaged };

// Parses a whole file into `library` (which should be empty). Bytes after the
// last device record are reported in `trailing` but do not fail the parse.
LibraryParse ParseLibrary(const std::uint8_t* data, std::size_t size, MacroLibrary& library,
                          FileProblem* problem = nullptr, std::size_t* trailing = nullptr);

std::vector<std::uint8_t> SerializeLibrary(const MacroLibrary& library);

enum class LibraryLoad {
  kLoaded,      // the file's library is in place
  kMissing,     // no file (or an empty one): the library is as it was
  kUnreadable,  // the file could not be read: the library is as it was
  kWrongMagic,  // not a library file: kept aside, the library is as it was
  kDamaged      // cut or damaged after the magic: kept aside; the entries and
                // mouse records read before the damage are the library
};

struct LibraryLoadReport {
  LibraryLoad result = LibraryLoad::kMissing;
  FileProblem problem;
  // Where the file was kept (moved for a bad file; copied for a good file
  // with unknown bytes at its end, which a save would drop); empty if not.
  std::filesystem::path keptAside;
  // Where this run's saves go because the file must stay as it is (it could
  // not be read, or not be kept aside); empty when saves go to the file.
  std::filesystem::path savedInstead;
};

// Where a run saves a library whose file it must not touch: "macro.dat"
// becomes "macro (unsaved 2026-12-06 1530).dat" for that local time.
std::filesystem::path UnsavedLibraryName(const std::filesystem::path& file, const std::tm& when);

// Loads `file` and rebuilds `view` under the library lock (a fresh view when
// the file's library was taken). `now` dates the names of a file kept aside
// and of the file saves go to instead.
LibraryLoadReport LoadLibrary(MacroLibrary& library, LibraryView& view, const std::filesystem::path& file,
                              std::time_t now, int visibleRows = 0);

// Saves under the library lock, to the library's `savesGoTo` when it is set.
// Returns 1 on success; on failure the old file stays and `error` says why.
int SaveLibrary(const MacroLibrary& library, const std::filesystem::path& file, std::string* error = nullptr);

// The magic string that starts the file.
inline const char16_t* const kLibraryMagic = u"_@_MF3_";
inline const char16_t* const kLibraryFileName = u"macro.dat";
