// Feeds arbitrary bytes to the library parser; whatever parses must save and
// parse back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "macro/LibraryFile.h"
#include "macro/LibraryView.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MacroLibrary library;
  FileProblem problem;
  std::size_t trailing = 0;
  if (ParseLibrary(data, size, library, &problem, &trailing) != LibraryParse::kParsed) {
    if (problem.offset > size) std::abort();
    return 0;
  }
  LibraryView view;
  RebuildView(library, view, 8);
  const std::vector<std::uint8_t> saved = SerializeLibrary(library);
  MacroLibrary again;
  if (ParseLibrary(saved.data(), saved.size(), again, &problem, &trailing) != LibraryParse::kParsed || trailing != 0) {
    std::abort();
  }
  if (SerializeLibrary(again) != saved) std::abort();
  if (!view.rows.empty()) RemoveEntry(library, view, 0);
  return 0;
}
