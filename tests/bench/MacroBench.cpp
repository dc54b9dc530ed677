// Library load and save at the scale of a heavy user: 2000 macros of 200
// commands each and 20 mice, and the flattened view of 10000 entries.
#include <ctime>
#include <filesystem>
#include <string>

#include "Bench.h"
#include "BenchLibrary.h"
#include "macro/LibraryFile.h"
#include "macro/LibraryView.h"

namespace {

using bench::Best;
using bench::FillLibrary;
using bench::MillisecondsSince;

namespace fs = std::filesystem;

fs::path BenchFile() { return fs::temp_directory_path() / "vantor-bench-macro.dat"; }

}  // namespace

VANTOR_FIGURE(library_save_ms) {
  MacroLibrary library;
  FillLibrary(library, 2000, 200, 20);
  const double best = Best(5, [&library] {
    const auto start = bench::Clock::now();
    SaveLibrary(library, BenchFile());
    return MillisecondsSince(start);
  });
  return best;
}

VANTOR_FIGURE(library_load_ms) {
  {
    MacroLibrary library;
    FillLibrary(library, 2000, 200, 20);
    SaveLibrary(library, BenchFile());
  }
  const double best = Best(5, [] {
    MacroLibrary library;
    LibraryView view;
    const auto start = bench::Clock::now();
    LoadLibrary(library, view, BenchFile(), std::time(nullptr), 20);
    return MillisecondsSince(start);
  });
  std::error_code ignored;
  fs::remove(BenchFile(), ignored);
  return best;
}

VANTOR_FIGURE(rebuild_view_ms) {
  MacroLibrary library;
  FillLibrary(library, 10000, 2, 0);
  LibraryView view;
  RebuildView(library, view, 20);
  view.selected = view.Count() / 2;
  return Best(5, [&library, &view] {
    const auto start = bench::Clock::now();
    RebuildView(library, view, 20);
    return MillisecondsSince(start);
  });
}
