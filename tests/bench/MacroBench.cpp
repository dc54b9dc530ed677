// Library load and save at the scale of a heavy user: 2000 macros of 200
// commands each and 20 mice, and the flattened view of 10000 entries.
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

#include "Bench.h"
#include "macro/LibraryFile.h"
#include "macro/LibraryView.h"

namespace {

namespace fs = std::filesystem;

std::u16string Name(const char16_t* prefix, int n) {
  std::u16string name = prefix;
  for (char c : std::to_string(n)) name.push_back(static_cast<char16_t>(c));
  return name;
}

void FillLibrary(MacroLibrary& library, int macros, int commandsEach, int devices) {
  int groups = macros / 20;
  for (int g = 0; g < groups; ++g) library.AddEntry(Name(u"Group ", g), true, 0, g % 2, {});
  MacroCommands commands = NewMacro();
  for (int c = 1; c < commandsEach; ++c) {
    MacroCommand key;
    key.length = 2;
    key.code[0] = c % 2 ? 0x83 : 0x84;
    key.code[1] = static_cast<std::uint8_t>(4 + c % 26);
    commands.push_back(c % 3 ? key : MakeWait(static_cast<std::uint32_t>(c * 7)));
  }
  Renumber(commands);
  for (int m = 0; m < macros; ++m) {
    library.AddEntry(Name(u"Macro ", (m * 7919) % macros), false, static_cast<std::uint32_t>(m % (groups + 5)), 0, commands);
  }
  for (int d = 0; d < devices; ++d) {
    DeviceProfileRecord& record = library.devices[static_cast<std::uint32_t>(0x10000 + d)];
    record.profileCount = 7;
    for (int i = 0; i < 7; ++i) record.profileName[static_cast<std::size_t>(i)] = Name(u"Unknown mode ", i + 1);
  }
}

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
