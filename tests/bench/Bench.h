#pragma once
// A figure is a function that measures one thing and returns its value; the
// bench program runs them all (or those named on its command line) and prints
// "name: value" lines.
#include <string>

namespace bench {

using FigureFn = double (*)();

int RegisterFigure(const char* name, FigureFn fn);

}  // namespace bench

#define VANTOR_FIGURE(name)                                                   \
  static double Figure_##name();                                             \
  static const int kFigureRegistered_##name = ::bench::RegisterFigure(#name, Figure_##name); \
  static double Figure_##name()
