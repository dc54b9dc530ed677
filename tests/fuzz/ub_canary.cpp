// Not fuzzed: the test command runs it once on an input starting with 'U' and
// requires the run to abort, which proves that undefined behaviour a real
// target reaches stops the fuzzer instead of being printed and passed over.
#include <climits>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || data[0] != 'U') return 0;
  volatile int largest = INT_MAX;
  volatile int overflowed = largest + static_cast<int>(data[0]);
  static_cast<void>(overflowed);
  return 0;
}
