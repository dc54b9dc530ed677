#pragma once
// A figure is a function that measures one thing and returns its value; the
// bench program runs them all (or those named on its command line) and prints
// "name: value" lines. The timing helpers below serve every figure.
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace bench {

using FigureFn = double (*)();

int RegisterFigure(const char* name, FigureFn fn);

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// The sample at `fraction` of the sorted samples (0.5: the median); -1 for none.
inline double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return -1.0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}

// The best of a few runs, so a busy shared machine disturbs the figure less.
template <typename Fn>
double Best(int runs, Fn fn) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) best = std::min(best, fn());
  return best;
}

}  // namespace bench

#define VANTOR_FIGURE(name)                                                   \
  static double Figure_##name();                                             \
  static const int kFigureRegistered_##name = ::bench::RegisterFigure(#name, Figure_##name); \
  static double Figure_##name()
