#include "Bench.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace bench {
namespace {

struct Figure {
  const char* name;
  FigureFn fn;
};

std::vector<Figure>& Figures() {
  static std::vector<Figure> figures;
  return figures;
}

}  // namespace

int RegisterFigure(const char* name, FigureFn fn) {
  Figures().push_back({name, fn});
  return static_cast<int>(Figures().size());
}

}  // namespace bench

int main(int argc, char** argv) {
  for (const auto& figure : bench::Figures()) {
    bool wanted = argc < 2;
    for (int i = 1; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], figure.name) == 0;
    if (!wanted) continue;
    std::printf("%s: %.3f\n", figure.name, figure.fn());
    std::fflush(stdout);
  }
  return 0;
}
