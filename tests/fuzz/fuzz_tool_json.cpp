// Feeds arbitrary text to the tool's JSON reader and builds whatever reads as
// a file description. A built file must be one the tool can describe, and its
// description must build the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tools/FileJson.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Each device record builds to about 20 KB; keep the files the fuzzer makes small.
  if (size > 8192) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  Json json;
  JsonError error;
  if (!ParseJson(text, json, error)) {
    if (error.what.empty()) std::abort();
    return 0;
  }
  std::vector<std::uint8_t> bytes;
  if (!BuildFile(json, bytes, error)) {
    if (error.what.empty()) std::abort();
    return 0;
  }
  std::ostringstream out;
  const FileDescription description = DescribeFile(bytes.data(), bytes.size(), &out);
  if (!description.readable) std::abort();
  Json again;
  std::vector<std::uint8_t> rebuilt;
  if (!ParseJson(out.str(), again, error) || !BuildFile(again, rebuilt, error)) std::abort();
  if (rebuilt != bytes) std::abort();
  return 0;
}
