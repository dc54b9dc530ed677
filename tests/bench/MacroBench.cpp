// Library load and save at the scale of a heavy user: 2000 macros of 200
// commands each and 20 mice, and the flattened view of 10000 entries.
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

#include "Bench.h"
#include "BenchLibrary.h"
#include "macro/LibraryFile.h"
#include "macro/LibraryView.h"

namespace {

using bench::FillLibrary;

namespace fs = std::filesystem;

double Milliseconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

fs::path BenchFile() { return fs::temp_directory_path() / "vantor-bench-macro.dat"; }

// The best of a few runs, so a busy shared machine disturbs the figure less.
template <typename Fn>
double Best(int runs, Fn fn) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const double value = fn();
    if (value < best) best = value;
  }
  return best;
}

}  // namespace

VANTOR_FIGURE(library_save_ms) {
  MacroLibrary library;
  FillLibrary(library, 2000, 200, 20);
  const double best = Best(5, [&library] {
    const auto start = std::chrono::steady_clock::now();
    SaveLibrary(library, BenchFile());
    return Milliseconds(start);
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
    const auto start = std::chrono::steady_clock::now();
    LoadLibrary(library, view, BenchFile(), std::time(nullptr), 20);
    return Milliseconds(start);
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
    const auto start = std::chrono::steady_clock::now();
    RebuildView(library, view, 20);
    return Milliseconds(start);
  });
}
